#pragma once

#include <algorithm>
#include <cerrno>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ports/ProcessTable.h"

namespace korrin::testing {

// A process list as a test sets it up, recording every change asked of it.
// Terminate removes the process. The pids in refuseTerminate and
// refusePriority fail as processes the user may not touch; startFailure makes
// Start fail; otherwise Start adds a process named like the program path.
class FakeProcessTable final : public ProcessTable {
 public:
  struct StartCall {
    std::string program;
    std::vector<std::string> arguments;
    StartStyle style;

    bool operator==(const StartCall&) const = default;
  };

  std::vector<ProcessEntry> processes;
  std::set<std::int64_t> refuseTerminate;
  std::set<std::int64_t> refusePriority;
  std::optional<Failure> startFailure;

  std::vector<std::int64_t> terminated;
  std::vector<std::pair<std::int64_t, PriorityClass>> priorities;
  std::vector<StartCall> starts;

  std::vector<ProcessEntry> Snapshot() const override { return processes; }

  Status Terminate(std::int64_t pid) override {
    if (refuseTerminate.contains(pid)) return Refusal();
    const auto process = Find(pid);
    if (process == processes.end()) return Failure{ESRCH, "No such process"};
    processes.erase(process);
    terminated.push_back(pid);
    return {};
  }

  Status SetPriorityClass(std::int64_t pid, PriorityClass priority) override {
    if (refusePriority.contains(pid)) return Refusal();
    if (Find(pid) == processes.end()) return Failure{ESRCH, "No such process"};
    priorities.emplace_back(pid, priority);
    return {};
  }

  Result<std::int64_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                             StartStyle style) override {
    starts.push_back({program, arguments, style});
    if (startFailure) return *startFailure;
    processes.push_back({nextPid_, program});
    return nextPid_++;
  }

 private:
  static Failure Refusal() { return {EPERM, "Operation not permitted"}; }

  std::vector<ProcessEntry>::iterator Find(std::int64_t pid) {
    return std::find_if(processes.begin(), processes.end(), [pid](const ProcessEntry& p) { return p.pid == pid; });
  }

  std::int64_t nextPid_ = 9000;
};

}  // namespace korrin::testing
