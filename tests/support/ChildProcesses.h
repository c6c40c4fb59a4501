#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "ports/ProcessTable.h"

namespace korrin::testing {

// Starts program with exactly this argv (argv[0] included); -1 when it
// cannot be started.
pid_t SpawnChild(const std::string& program, const std::vector<std::string>& argv);

// Ends a child of this test process if it still runs, and reaps it; a child
// reaped already is left alone, since its pid may belong to someone else now.
void EndChild(pid_t pid);

// Shows a test only the processes it started through this view, and ends
// whatever of them still runs when the view goes away, also after a failed
// assertion. Tests run in parallel, and as root: ending processes by name
// through the whole table could end another test's processes, or anyone's.
class StartedProcessesView final : public ProcessTable {
 public:
  explicit StartedProcessesView(ProcessTable& table) : table_(table) {}
  StartedProcessesView(const StartedProcessesView&) = delete;
  StartedProcessesView& operator=(const StartedProcessesView&) = delete;
  ~StartedProcessesView() override;

  const std::vector<std::int64_t>& started() const { return started_; }

  std::vector<ProcessEntry> Snapshot() const override;
  Status Terminate(std::int64_t pid) override;
  Status SetPriorityClass(std::int64_t pid, PriorityClass priority) override;
  Result<std::int64_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                             StartStyle style) override;

 private:
  bool WasStarted(std::int64_t pid) const;

  ProcessTable& table_;
  std::vector<std::int64_t> started_;
};

}  // namespace korrin::testing
