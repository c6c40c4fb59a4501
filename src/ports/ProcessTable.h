#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ports/Result.h"

namespace korrin {

// One running process as the process list shows it.
struct ProcessEntry {
  std::int64_t pid = 0;
  // The name the program was started as ("Inventor.exe", "Tembrel.exe"),
  // without a folder; on some systems it may carry a full path.
  std::string imageName;
};

// Scheduling classes the program asks for by name.
enum class PriorityClass { Realtime, High, Normal };

// How a started program's window first shows, where the system has windows.
enum class StartStyle { Normal, MinimizedNotActivated };

// The system's list of processes. Calls come from the user-interface thread.
class ProcessTable {
 public:
  virtual ~ProcessTable() = default;

  // A moment's picture of the running processes, in the system's order.
  // Ended processes that were not yet reaped are not in it. A list that
  // cannot be read gives an empty snapshot.
  virtual std::vector<ProcessEntry> Snapshot() const = 0;
  // Ends the process at once (it gets no chance to clean up). Fails when the
  // process is gone or may not be ended by this user.
  virtual Status Terminate(std::int64_t pid) = 0;
  // Fails when the process is gone or the system refuses the change.
  virtual Status SetPriorityClass(std::int64_t pid, PriorityClass priority) = 0;
  // Starts program (a full path) with the arguments as given, each one a
  // separate argument: nothing passes through a shell. Returns the new pid.
  virtual Result<std::int64_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                                     StartStyle style) = 0;
};

}  // namespace korrin
