#pragma once

#include <chrono>
#include <optional>

#include "ports/Result.h"

namespace korrin::standin {

// How a fault on purpose ends or stops the host's process. The host program
// is given the system's ending (SystemProcessEnding.h), which does not come
// back from a crash or an exit; a host inside another program (and a test)
// is given one that comes back. What it returns is what the caller of the
// call in progress sees: a failure means the host is gone for good, and the
// instance fails every later call; nothing means the call goes on.
class ProcessEnding {
 public:
  virtual ~ProcessEnding() = default;
  virtual std::optional<Failure> Crash(int signalNumber) = 0;
  virtual std::optional<Failure> Exit(int status) = 0;
  // No duration: for ever.
  virtual std::optional<Failure> Hang(std::optional<std::chrono::milliseconds> duration) = 0;
};

// The signal a crash on purpose ends the host with. SIGKILL rather than
// SIGSEGV: no handler (the sanitizers install one for SIGSEGV) can turn it
// into an orderly exit.
int CrashSignal();

// For a host that runs inside the program that drives it, where ending the
// process would end the program too: a crash or an exit leaves the instance
// dead, as the program sees a host process that ended ("The RPC server is
// unavailable."), and a hang leaves it dead as a call past its deadline does.
class EndingInsideProgram final : public ProcessEnding {
 public:
  std::optional<Failure> Crash(int signalNumber) override;
  std::optional<Failure> Exit(int status) override;
  std::optional<Failure> Hang(std::optional<std::chrono::milliseconds> duration) override;
};

}  // namespace korrin::standin
