#include "platform/linux/HostSocketFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/linux/PrivateFolder.h"
#include "platform/linux/ProcFiles.h"
#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

struct HostProcess {
  pid_t pid = 0;
  unsigned long long startTime = 0;
};

// A link is no socket of a host, even when it leads to one.
bool IsSocket(const std::filesystem::directory_entry& entry) {
  std::error_code ignored;
  return entry.symlink_status(ignored).type() == std::filesystem::file_type::socket;
}

// /proc/<pid> belongs to the process's effective user.
bool IsOwnedByThisUser(pid_t pid) {
  struct stat status {};
  return ::stat(("/proc/" + std::to_string(pid)).c_str(), &status) == 0 && status.st_uid == ::geteuid();
}

// The process still runs as this user: its start time; else nothing.
std::optional<unsigned long long> StartTimeOfLiveProcess(pid_t pid) {
  const std::optional<ProcessStatus> status = ReadProcessStatus(pid);
  if (!status || IsEndedState(status->state) || !IsOwnedByThisUser(pid)) return std::nullopt;
  return status->startTime;
}

bool IsOlder(const HostProcess& left, const HostProcess& right) {
  if (left.startTime != right.startTime) return left.startTime < right.startTime;
  return left.pid < right.pid;
}

}  // namespace

std::string HostSocketFolderPath() { return PrivateFolderPath("KORRIN_HOSTS", "korrin-hosts"); }

std::string AcadSocketFolderPath() { return HostSocketFolderPath() + "/acad"; }

std::string HostSocketPath(const std::string& folder, pid_t pid) { return folder + "/" + std::to_string(pid); }

Result<std::vector<pid_t>> RunningHosts(const std::string& folder) {
  if (const Status checked = CheckPrivateFolder(folder); !checked) {
    if (checked.failure().number == ENOENT) return std::vector<pid_t>{};
    return checked.failure();
  }
  std::vector<HostProcess> hosts;
  std::error_code error;
  // Stepped by hand: the iterator's ++ throws on a failed read.
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::optional<pid_t> pid = ProcessIdNamed(entry->path().filename().string());
    if (!pid || !IsSocket(*entry)) continue;
    if (const std::optional<unsigned long long> startTime = StartTimeOfLiveProcess(*pid)) {
      hosts.push_back({*pid, *startTime});
    } else {
      std::error_code ignored;  // another lister may have removed it first
      std::filesystem::remove(entry->path(), ignored);
    }
  }
  if (error) return SystemFailure(error.value());
  std::sort(hosts.begin(), hosts.end(), IsOlder);
  std::vector<pid_t> pids;
  for (const HostProcess& host : hosts) pids.push_back(host.pid);
  return pids;
}

}  // namespace korrin
