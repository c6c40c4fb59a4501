#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ports/EventPump.h"
#include "ports/Result.h"

namespace korrin {

// Starts host programs and waits until they serve.
//
// A host starts in a session of its own with standard input and output on
// /dev/null and standard error appended to its log file (created 0644, less
// the umask, when missing); it inherits no other descriptor but the write end
// of a pipe, given as descriptor 3 and named by the arguments "--ready-fd 3"
// appended to the caller's. Once its socket listens the host writes the line
// "ready" to it; the launcher reads nothing more from the pipe afterwards.
// Every wait pauses through the event pump between short slices.
//
// Started hosts are children of this process; the launcher reaps those that
// end. A host that outlives the launcher, or the program, is not ended by it:
// a host outlives the run that started it on purpose.
class HostProcessLauncher {
 public:
  static constexpr std::chrono::milliseconds kDefaultReadyDeadline{std::chrono::seconds(30)};

  explicit HostProcessLauncher(EventPump& pump) : pump_(pump) {}
  HostProcessLauncher(const HostProcessLauncher&) = delete;
  HostProcessLauncher& operator=(const HostProcessLauncher&) = delete;

  // The host's process id once it said it is ready. On failure (number
  // host::kServerExecutionFailed) the description names the program and what
  // happened: it cannot be started (the system's reason), its log file
  // cannot be opened, it exited with a status or was killed by a signal, or
  // it did not answer within the deadline; a host that did not answer in
  // time, or answered anything else, is killed and reaped first.
  Result<pid_t> Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& logFile, std::chrono::milliseconds deadline = kDefaultReadyDeadline);

  // Reaps every started host that ended meanwhile.
  void ReapEnded();

  // Waits until the started host ended and reaps it; true when it ended
  // within the deadline (or had ended and been reaped before), false when it
  // still runs or was never started here.
  bool WaitForEnd(pid_t pid, std::chrono::milliseconds deadline);

 private:
  Status AwaitReady(const std::string& program, pid_t pid, int readEnd, std::chrono::milliseconds deadline);
  Failure EndedWithoutAnswer(const std::string& program, pid_t pid);
  // Kills the host and reaps it.
  void Kill(pid_t pid);
  // The wait status once the child ended and was reaped; nothing when it
  // still runs at the deadline.
  std::optional<int> AwaitEnd(pid_t pid, std::chrono::milliseconds deadline);

  EventPump& pump_;
  std::set<pid_t> running_;
  std::set<pid_t> reaped_;
};

}  // namespace korrin
