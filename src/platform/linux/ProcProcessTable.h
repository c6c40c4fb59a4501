#pragma once

#include <sys/types.h>

#include <set>

#include "ports/ProcessTable.h"

namespace korrin {

// The process list of Linux, read from /proc.
//
// An image name is the kernel's command name, which is cut at 15 characters;
// a name cut that way is completed from the last path component of argv[0]
// when that starts with it. Processes that ended but were not yet reaped
// (state Z or X) are not listed.
//
// Terminate sends SIGKILL and waits a short, bounded time for the process to
// end, so a snapshot taken afterwards no longer lists it. Children this table
// started are reaped by it; it never waits for anyone else's.
class ProcProcessTable final : public ProcessTable {
 public:
  std::vector<ProcessEntry> Snapshot() const override;
  Status Terminate(std::int64_t pid) override;
  Status SetPriorityClass(std::int64_t pid, PriorityClass priority) override;
  Result<std::int64_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                             StartStyle style) override;

 private:
  // Reaps those started children that ended; true when pid was one of them.
  bool ReapEndedChildren(pid_t pid = 0) const;
  bool HasEnded(pid_t pid) const;

  // Reaping changes no listed process, so a snapshot may do it.
  mutable std::set<pid_t> startedChildren_;
};

}  // namespace korrin
