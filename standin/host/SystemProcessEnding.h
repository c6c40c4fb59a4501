#pragma once

#include "ProcessEnding.h"

namespace korrin::standin {

// The host program's own ending: a crash sends the process the crash signal,
// an exit ends it at once with the status (no clean-up, as a host that dies
// does not clean up), a hang sleeps in the calling thread.
class SystemProcessEnding final : public ProcessEnding {
 public:
  std::optional<Failure> Crash(int signalNumber) override;
  std::optional<Failure> Exit(int status) override;
  std::optional<Failure> Hang(std::optional<std::chrono::milliseconds> duration) override;
};

}  // namespace korrin::standin
