#include "platform/linux/HostProcessLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string_view>
#include <thread>

#include "host/ChannelFailures.h"
#include "host/SecondsText.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/SystemFailure.h"

extern char** environ;

namespace korrin {
namespace {

constexpr int kReadyDescriptor = 3;
constexpr int kFirstUninheritedDescriptor = kReadyDescriptor + 1;
constexpr mode_t kLogFileMode = 0644;
constexpr std::string_view kReadyLine = "ready";
// Longer than any answer a host gives; more without a line end is no answer.
constexpr std::size_t kAnswerLimit = 64;
constexpr std::chrono::milliseconds kWaitSlice{10};
// A killed process, or one that closed its ready pipe, ends within moments
// unless it is stuck in the kernel.
constexpr std::chrono::seconds kEndWait{2};

using Clock = std::chrono::steady_clock;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

Failure LaunchFailure(const std::string& program, const std::string& what) {
  return {host::kServerExecutionFailed, Quoted(program) + " " + what};
}

std::string EndText(int status) {
  if (WIFEXITED(status)) return "exited with status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "was killed by signal " + std::to_string(WTERMSIG(status));
  return "ended";
}

// The spawn copies the pipe and the log file onto descriptors 2 and 3; from
// descriptors above those the copies cannot overwrite one another, even in a
// parent that runs with a standard stream closed.
Result<FileDescriptor> AboveReadyDescriptor(FileDescriptor descriptor) {
  FileDescriptor moved(::fcntl(descriptor.get(), F_DUPFD_CLOEXEC, kFirstUninheritedDescriptor));
  if (!moved.valid()) return SystemFailure(errno);
  return moved;
}

struct ReadyPipe {
  FileDescriptor readEnd;
  FileDescriptor writeEnd;
};

Result<ReadyPipe> OpenReadyPipe() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return SystemFailure(errno);
  ReadyPipe pipe{FileDescriptor(ends[0]), FileDescriptor(ends[1])};
  Result<FileDescriptor> writeEnd = AboveReadyDescriptor(std::move(pipe.writeEnd));
  if (!writeEnd) return writeEnd.failure();
  pipe.writeEnd = std::move(writeEnd).value();
  return pipe;
}

// The umask applies to the mode of a new log file, as to any file the user's
// programs create.
Result<FileDescriptor> OpenLogFile(const std::string& path) {
  FileDescriptor log(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kLogFileMode));
  if (!log.valid()) return SystemFailure(errno);
  return AboveReadyDescriptor(std::move(log));
}

// posix_spawn's settings, released once the spawn is done.
class SpawnSettings {
 public:
  SpawnSettings(int logFile, int readyEnd) {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawn_file_actions_adddup2(&actions_, readyEnd, kReadyDescriptor);
    ::posix_spawn_file_actions_adddup2(&actions_, logFile, STDERR_FILENO);
    ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // Descriptors opened elsewhere without O_CLOEXEC stay behind too.
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, kFirstUninheritedDescriptor);
    // The host starts with no signal blocked or ignored, whatever this
    // program does with them.
    sigset_t none;
    sigset_t all;
    ::sigemptyset(&none);
    ::sigfillset(&all);
    ::posix_spawnattr_init(&attributes_);
    ::posix_spawnattr_setsigmask(&attributes_, &none);
    ::posix_spawnattr_setsigdefault(&attributes_, &all);
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;
  ~SpawnSettings() {
    ::posix_spawnattr_destroy(&attributes_);
    ::posix_spawn_file_actions_destroy(&actions_);
  }

  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

// The error number of a failed spawn, or the child's id.
Result<pid_t> Spawn(const std::string& program, const std::vector<std::string>& arguments, int logFile,
                    int readyEnd) {
  std::vector<std::string> argumentText{program};
  argumentText.insert(argumentText.end(), arguments.begin(), arguments.end());
  argumentText.insert(argumentText.end(), {"--ready-fd", std::to_string(kReadyDescriptor)});
  std::vector<char*> argv;
  for (std::string& text : argumentText) argv.push_back(text.data());
  argv.push_back(nullptr);
  const SpawnSettings settings(logFile, readyEnd);
  pid_t pid = 0;
  const int error =
      ::posix_spawn(&pid, program.c_str(), settings.actions(), settings.attributes(), argv.data(), environ);
  if (error != 0) return SystemFailure(error);
  return pid;
}

enum class Answer { None, Ready, Other, PipeClosed };

// Waits one slice for more of the host's answer and appends it.
Answer ReadAnswer(int readEnd, std::chrono::milliseconds slice, std::string& received) {
  pollfd readable{readEnd, POLLIN, 0};
  if (::poll(&readable, 1, static_cast<int>(slice.count())) <= 0) return Answer::None;
  char buffer[kAnswerLimit];
  const ssize_t count = ::read(readEnd, buffer, sizeof buffer);
  if (count < 0) return errno == EINTR || errno == EAGAIN ? Answer::None : Answer::PipeClosed;
  if (count == 0) return Answer::PipeClosed;
  received.append(buffer, static_cast<std::size_t>(count));
  const std::size_t lineEnd = received.find('\n');
  if (lineEnd != std::string::npos) received.resize(lineEnd);
  if (received.size() > kAnswerLimit) {
    received.resize(kAnswerLimit);
    return Answer::Other;
  }
  if (lineEnd == std::string::npos) return Answer::None;
  return received == kReadyLine ? Answer::Ready : Answer::Other;
}

std::chrono::milliseconds Remaining(Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
  return std::max(left, std::chrono::milliseconds(0));
}

// The child's wait status when it ended and was reaped now; nothing while it
// runs. A child someone else reaped (ECHILD) ended too, its status unknown.
std::optional<int> ReapIfEnded(pid_t pid) {
  int status = 0;
  const pid_t result = ::waitpid(pid, &status, WNOHANG);
  if (result == pid) return status;
  if (result < 0 && errno == ECHILD) return 0;
  return std::nullopt;
}

}  // namespace

Result<pid_t> HostProcessLauncher::Start(const std::string& program, const std::vector<std::string>& arguments,
                                         const std::string& logFile, std::chrono::milliseconds deadline) {
  Result<FileDescriptor> log = OpenLogFile(logFile);
  if (!log) {
    return LaunchFailure(program, "cannot be started: the log file " + Quoted(logFile) +
                                      " cannot be opened: " + log.failure().description);
  }
  Result<ReadyPipe> pipe = OpenReadyPipe();
  if (!pipe) return LaunchFailure(program, "cannot be started: " + pipe.failure().description);
  const Result<pid_t> spawned = Spawn(program, arguments, log.value().get(), pipe.value().writeEnd.get());
  if (!spawned) return LaunchFailure(program, "cannot be started: " + spawned.failure().description);
  // Only the child holds the write end now, so the pipe closes when it ends.
  pipe.value().writeEnd = FileDescriptor();
  const Status ready = AwaitReady(program, spawned.value(), pipe.value().readEnd.get(), deadline);
  if (!ready) return ready.failure();
  running_.insert(spawned.value());
  reaped_.erase(spawned.value());
  return spawned.value();
}

Status HostProcessLauncher::AwaitReady(const std::string& program, pid_t pid, int readEnd,
                                       std::chrono::milliseconds deadline) {
  const Clock::time_point end = Clock::now() + deadline;
  std::string received;
  for (;;) {
    switch (ReadAnswer(readEnd, std::min(kWaitSlice, Remaining(end)), received)) {
      case Answer::Ready: return {};
      case Answer::Other:
        Kill(pid);
        return LaunchFailure(program, "answered " + Quoted(received) + " instead of " + Quoted(kReadyLine));
      case Answer::PipeClosed: return EndedWithoutAnswer(program, pid);
      case Answer::None: break;
    }
    if (const std::optional<int> status = ReapIfEnded(pid)) return LaunchFailure(program, EndText(*status));
    if (Clock::now() >= end) {
      Kill(pid);
      return LaunchFailure(program, "did not answer within " + host::SecondsText(deadline) + " s");
    }
    pump_.Pause();
  }
}

Failure HostProcessLauncher::EndedWithoutAnswer(const std::string& program, pid_t pid) {
  if (const std::optional<int> status = AwaitEnd(pid, kEndWait)) return LaunchFailure(program, EndText(*status));
  Kill(pid);
  return LaunchFailure(program, "closed its ready pipe without answering");
}

void HostProcessLauncher::Kill(pid_t pid) {
  // A host in a session of its own leads its process group: whatever it
  // started there goes with it.
  if (::kill(-pid, SIGKILL) != 0) ::kill(pid, SIGKILL);
  if (!AwaitEnd(pid, kEndWait)) running_.insert(pid);  // stuck in the kernel: reaped later
}

std::optional<int> HostProcessLauncher::AwaitEnd(pid_t pid, std::chrono::milliseconds deadline) {
  const Clock::time_point end = Clock::now() + deadline;
  for (;;) {
    if (const std::optional<int> status = ReapIfEnded(pid)) return status;
    if (Clock::now() >= end) return std::nullopt;
    std::this_thread::sleep_for(std::min(kWaitSlice, Remaining(end)));
    pump_.Pause();
  }
}

void HostProcessLauncher::ReapEnded() {
  for (auto child = running_.begin(); child != running_.end();) {
    if (!ReapIfEnded(*child)) {
      ++child;
      continue;
    }
    reaped_.insert(*child);
    child = running_.erase(child);
  }
}

bool HostProcessLauncher::WaitForEnd(pid_t pid, std::chrono::milliseconds deadline) {
  if (!running_.contains(pid)) return reaped_.contains(pid);
  if (!AwaitEnd(pid, deadline)) return false;
  running_.erase(pid);
  reaped_.insert(pid);
  return true;
}

}  // namespace korrin
