#include "support/ChildProcesses.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "support/WaitUntil.h"

extern char** environ;

namespace korrin::testing {
namespace {

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& entries) {
  const auto replaced = [&](const std::string& inherited) {
    const std::string name = inherited.substr(0, inherited.find('=') + 1);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const std::string& entry) { return entry.compare(0, name.size(), name) == 0; });
  };
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!replaced(*entry)) environment.emplace_back(*entry);
  }
  environment.insert(environment.end(), entries.begin(), entries.end());
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Reads both pipes until the program closes them.
void Collect(int outFd, int errFd, FinishedRun& run) {
  std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
  std::string* targets[] = {&run.out, &run.err};
  for (int open = 2; open > 0;) {
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t count = ::read(fds[i].fd, buffer, sizeof buffer);
      if (count > 0) {
        targets[i]->append(buffer, static_cast<std::size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

FinishedRun RunToEnd(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment) {
  FinishedRun run;
  int outPipe[2], errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0) return run;
  if (::pipe2(errPipe, O_CLOEXEC) != 0) {
    ::close(outPipe[0]);
    ::close(outPipe[1]);
    return run;
  }
  std::vector<std::string> argvText{program};
  argvText.insert(argvText.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envText = EnvironmentWith(environment);
  std::vector<char*> argv = Pointers(argvText);
  std::vector<char*> envp = Pointers(envText);

  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
  pid_t pid = -1;
  run.started = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0;
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  if (run.started) {
    Collect(outPipe[0], errPipe[0], run);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  ::close(outPipe[0]);
  ::close(errPipe[0]);
  return run;
}

pid_t SpawnChild(const std::string& program, const std::vector<std::string>& argv) {
  std::vector<std::string> text = argv;
  std::vector<char*> pointers;
  for (std::string& argument : text) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, pointers.data(), environ) != 0) return -1;
  return pid;
}

void EndChild(pid_t pid) {
  if (pid <= 0 || ::waitpid(pid, nullptr, WNOHANG) != 0) return;  // reaped now, or before
  ::kill(pid, SIGKILL);
  const bool reaped = WaitUntil([pid] {
    const pid_t result = ::waitpid(pid, nullptr, WNOHANG);
    return result == pid || (result < 0 && errno == ECHILD);
  });
  if (!reaped) ADD_FAILURE() << "child " << pid << " did not end after SIGKILL";
}

StartedProcessesView::~StartedProcessesView() {
  for (const std::int64_t pid : started_) EndChild(static_cast<pid_t>(pid));
}

std::vector<ProcessEntry> StartedProcessesView::Snapshot() const {
  std::vector<ProcessEntry> processes = table_.Snapshot();
  std::erase_if(processes, [this](const ProcessEntry& process) { return !WasStarted(process.pid); });
  return processes;
}

Status StartedProcessesView::Terminate(std::int64_t pid) {
  if (!WasStarted(pid)) return Failure{EPERM, "not started by this test"};
  return table_.Terminate(pid);
}

Status StartedProcessesView::SetPriorityClass(std::int64_t pid, PriorityClass priority) {
  if (!WasStarted(pid)) return Failure{EPERM, "not started by this test"};
  return table_.SetPriorityClass(pid, priority);
}

Result<std::int64_t> StartedProcessesView::Start(const std::string& program, const std::vector<std::string>& arguments,
                                                 StartStyle style) {
  Result<std::int64_t> started = table_.Start(program, arguments, style);
  if (started) started_.push_back(started.value());
  return started;
}

bool StartedProcessesView::WasStarted(std::int64_t pid) const {
  return std::find(started_.begin(), started_.end(), pid) != started_.end();
}

}  // namespace korrin::testing
