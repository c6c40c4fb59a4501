#pragma once

#include <chrono>

#include "ports/ProcessTable.h"

namespace korrin {

// The process list of Windows: Toolhelp32 snapshots, whose image names are
// the executable's file name ("Inventor.exe") without a folder.
//
// Terminate ends the process with exit code 0 and waits a bounded time for
// it to be gone, so a snapshot taken afterwards no longer lists it. Start
// runs the program by its full path, never searched for and never through a
// shell, with a command line quoted from the arguments; the program gets no
// console and none of our handles, so our console's Ctrl-C does not reach it.
class ToolhelpProcessTable final : public ProcessTable {
 public:
  static constexpr std::chrono::milliseconds kEndTimeout{5000};

  std::vector<ProcessEntry> Snapshot() const override;
  Status Terminate(std::int64_t pid) override;
  Status SetPriorityClass(std::int64_t pid, PriorityClass priority) override;
  Result<std::int64_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                             StartStyle style) override;
};

}  // namespace korrin
