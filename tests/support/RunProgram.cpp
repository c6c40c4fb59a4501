#include "support/RunProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <csignal>
#include <functional>
#include <string>

extern char** environ;

namespace korrin::testing {
namespace {

// A program still running after this long is killed, so a run that hangs
// fails its test well before the test's own time limit ends it and leaves
// the program behind. KORRIN_PROGRAM_DEADLINE (seconds) gives long runs more.
std::chrono::seconds ProgramDeadline() {
  const char* text = std::getenv("KORRIN_PROGRAM_DEADLINE");
  const long seconds = text == nullptr ? 0 : std::atol(text);
  return std::chrono::seconds(seconds > 0 ? seconds : 90);
}

void Drain(pid_t pid, int out_fd, int err_fd, ProgramRun& run, const std::function<void()>& afterRead) {
  std::array<pollfd, 2> fds{{{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}}};
  std::string* targets[] = {&run.out, &run.err};
  const std::chrono::seconds limit = ProgramDeadline();
  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool killed = false;
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (!killed && left.count() <= 0) {
      ::kill(pid, SIGKILL);
      killed = true;
      run.err += "\n[test: no end within " + std::to_string(limit.count()) + " s, killed]\n";
    }
    const int ready = ::poll(fds.data(), fds.size(), killed ? -1 : static_cast<int>(left.count()) + 1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) break;
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t count = ::read(fds[i].fd, buffer, sizeof buffer);
      if (count > 0) {
        targets[i]->append(buffer, static_cast<std::size_t>(count));
        afterRead();
      } else {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

std::string BuiltProgram(const std::string& name) { return std::string(KORRIN_BIN_DIR) + "/" + name; }

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& interruptAfter) {
  if (interruptAfter.empty()) return RunProgramActing(program, arguments, environment, "", {});
  return RunProgramActing(program, arguments, environment, interruptAfter, [](pid_t pid) { ::kill(pid, SIGINT); });
}

ProgramRun RunProgramActing(const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, const std::string& after,
                            const std::function<void(pid_t)>& action) {
  int out_pipe[2], err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) return {};

  std::vector<std::string> argv_text{program};
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argv_text) argv.push_back(text.data());
  argv.push_back(nullptr);

  // The given entries replace inherited ones of the same name.
  auto overridden = [&](const std::string& entry) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    for (const std::string& given : environment) {
      if (given.compare(0, name.size(), name) == 0) return true;
    }
    return false;
  };
  std::vector<std::string> env_text;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!overridden(*entry)) env_text.emplace_back(*entry);
  }
  env_text.insert(env_text.end(), environment.begin(), environment.end());
  std::vector<char*> envp;
  for (std::string& text : env_text) envp.push_back(text.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  // A program that asks a question reads end of input: no test waits on a terminal.
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);

  ProgramRun run;
  if (spawned != 0) {
    ::close(out_pipe[0]);
    ::close(err_pipe[0]);
    run.err = "cannot start " + program;
    return run;
  }
  bool acted = after.empty() || !action;
  Drain(pid, out_pipe[0], err_pipe[0], run, [&] {
    if (!acted && run.out.find(after) != std::string::npos) {
      action(pid);
      acted = true;
    }
  });
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

}  // namespace korrin::testing
