#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace korrin {

// What /proc/<pid>/stat tells of a process.
struct ProcessStatus {
  std::string commandName;
  char state = '?';
  // Clock ticks after boot at which the process started; no two processes
  // started later than another read lower.
  unsigned long long startTime = 0;
};

// The bytes of /proc/<pid>/<file>; nothing when the process is gone or the
// file cannot be read.
std::optional<std::string> ReadProcFile(pid_t pid, std::string_view file);

// Nothing when the process is gone or its line cannot be read.
std::optional<ProcessStatus> ReadProcessStatus(pid_t pid);

// A process in state Z or X ended and waits to be reaped, or is being reaped.
bool IsEndedState(char state);

// The process id a /proc entry or another file is named by: its decimal
// digits alone, with no sign and no leading zero.
std::optional<pid_t> ProcessIdNamed(std::string_view name);

}  // namespace korrin
