#include "platform/linux/ProcProcessTable.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <memory>
#include <optional>
#include <thread>

#include "platform/linux/ProcFiles.h"
#include "platform/linux/SystemFailure.h"

extern char** environ;

namespace korrin {
namespace {

// The kernel keeps this many characters of a command name.
constexpr std::size_t kCommandNameLimit = 15;

constexpr int kRealtimeNice = -20;
constexpr int kHighNice = -10;
constexpr int kNormalNice = 0;

// A killed process ends within moments unless it is stuck in the kernel;
// Terminate waits that long at most.
constexpr std::chrono::seconds kEndWait{2};
constexpr std::chrono::milliseconds kEndPollInterval{2};

std::string ImageNameOf(pid_t pid, const std::string& commandName) {
  if (commandName.size() < kCommandNameLimit) return commandName;
  const std::optional<std::string> commandLine = ReadProcFile(pid, "cmdline");
  if (!commandLine) return commandName;
  const std::string programPath = commandLine->substr(0, commandLine->find('\0'));
  const std::string programName = programPath.substr(programPath.rfind('/') + 1);  // npos + 1 is 0
  return programName.starts_with(commandName) ? programName : commandName;
}

// Calls visit with the number of every entry of a /proc folder named by one.
template <typename Visit>
void ForEachProcessIdIn(const std::string& folder, Visit visit) {
  const auto close = [](DIR* listing) { ::closedir(listing); };
  const std::unique_ptr<DIR, decltype(close)> listing(::opendir(folder.c_str()), close);
  if (!listing) return;
  while (const dirent* entry = ::readdir(listing.get())) {
    if (const std::optional<pid_t> pid = ProcessIdNamed(entry->d_name)) visit(*pid);
  }
}

// Zero and negative numbers name process groups or every process to kill()
// and the calling process to setpriority(): never a single other process.
bool IsSingleProcessId(std::int64_t pid) { return pid > 0 && pid <= INT_MAX; }

int NiceValueOf(PriorityClass priority) {
  switch (priority) {
    case PriorityClass::Realtime: return kRealtimeNice;
    case PriorityClass::High: return kHighNice;
    case PriorityClass::Normal: return kNormalNice;
  }
  return kNormalNice;
}

}  // namespace

std::vector<ProcessEntry> ProcProcessTable::Snapshot() const {
  ReapEndedChildren();
  std::vector<ProcessEntry> processes;
  ForEachProcessIdIn("/proc", [&](pid_t pid) {
    const std::optional<ProcessStatus> status = ReadProcessStatus(pid);
    if (!status || IsEndedState(status->state)) return;  // gone meanwhile, or ended
    processes.push_back({pid, ImageNameOf(pid, status->commandName)});
  });
  return processes;
}

Status ProcProcessTable::Terminate(std::int64_t pid) {
  if (!IsSingleProcessId(pid)) return SystemFailure(ESRCH);
  const auto process = static_cast<pid_t>(pid);
  // A child of ours that ended is gone, although kill() still reaches it.
  if (ReapEndedChildren(process)) return SystemFailure(ESRCH);
  if (::kill(process, SIGKILL) != 0) return SystemFailure(errno);
  const auto deadline = std::chrono::steady_clock::now() + kEndWait;
  while (!HasEnded(process) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kEndPollInterval);
  }
  return {};
}

Status ProcProcessTable::SetPriorityClass(std::int64_t pid, PriorityClass priority) {
  if (!IsSingleProcessId(pid)) return SystemFailure(ESRCH);
  const auto process = static_cast<pid_t>(pid);
  const int nice = NiceValueOf(priority);
  if (::setpriority(PRIO_PROCESS, static_cast<id_t>(process), nice) != 0) return SystemFailure(errno);
  // Linux keeps a nice value per thread: the threads the process already runs
  // get it too, as they would from a process-wide priority class.
  ForEachProcessIdIn("/proc/" + std::to_string(process) + "/task", [&](pid_t thread) {
    if (thread != process) ::setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice);
  });
  return {};
}

// A Linux program has no first window for the start style to shape: it is
// ignored here. The program starts in a session of its own with its standard
// streams on /dev/null, as a program started from the desktop would: it
// outlives no pipe of ours and gets no signal from our terminal.
Result<std::int64_t> ProcProcessTable::Start(const std::string& program, const std::vector<std::string>& arguments,
                                             StartStyle /*style*/) {
  std::vector<std::string> argumentText{program};
  argumentText.insert(argumentText.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argumentText) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t streams;
  ::posix_spawn_file_actions_init(&streams);
  ::posix_spawn_file_actions_addopen(&streams, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&streams, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&streams, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  ::posix_spawnattr_init(&attributes);
  ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, program.c_str(), &streams, &attributes, argv.data(), environ);
  ::posix_spawnattr_destroy(&attributes);
  ::posix_spawn_file_actions_destroy(&streams);
  if (error != 0) return SystemFailure(error);
  startedChildren_.insert(pid);
  return std::int64_t{pid};
}

bool ProcProcessTable::ReapEndedChildren(pid_t pid) const {
  bool reapedPid = false;
  for (auto child = startedChildren_.begin(); child != startedChildren_.end();) {
    const pid_t result = ::waitpid(*child, nullptr, WNOHANG);
    if (result == 0 || (result < 0 && errno != ECHILD)) {
      ++child;
      continue;
    }
    reapedPid = reapedPid || *child == pid;
    child = startedChildren_.erase(child);
  }
  return reapedPid;
}

bool ProcProcessTable::HasEnded(pid_t pid) const {
  if (startedChildren_.contains(pid)) return ReapEndedChildren(pid);
  const std::optional<ProcessStatus> status = ReadProcessStatus(pid);
  return !status || IsEndedState(status->state);
}

}  // namespace korrin
