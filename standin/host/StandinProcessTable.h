#pragma once

#include <cstdint>

#include "StandinConnector.h"
#include "ports/ProcessTable.h"

namespace korrin::standin {

// The system's process list with the stand-in host's process in it: while
// the host runs, the list holds an "Inventor.exe" that can be ended like any
// other, so the program's checks for a running host and its ways of ending
// one work on the stand-in as on a real host.
class StandinProcessTable final : public ProcessTable {
 public:
  // Never a pid the system hands out: those stay below 2^22.
  static constexpr std::int64_t kHostPid = std::int64_t{1} << 40;

  StandinProcessTable(ProcessTable& system, StandinConnector& connector) : system_(system), connector_(connector) {}

  std::vector<ProcessEntry> Snapshot() const override;
  Status Terminate(std::int64_t pid) override;
  Status SetPriorityClass(std::int64_t pid, PriorityClass priority) override;
  Result<std::int64_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                             StartStyle style) override;

 private:
  ProcessTable& system_;
  StandinConnector& connector_;
};

}  // namespace korrin::standin
