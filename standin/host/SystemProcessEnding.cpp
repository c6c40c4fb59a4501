#include "SystemProcessEnding.h"

#include <signal.h>
#include <unistd.h>

#include <thread>

namespace korrin::standin {

std::optional<Failure> SystemProcessEnding::Crash(int signalNumber) {
  ::kill(::getpid(), signalNumber);
  // A signal that can be caught or ignored must still end the process.
  ::_exit(128 + signalNumber);
}

std::optional<Failure> SystemProcessEnding::Exit(int status) { ::_exit(status); }

std::optional<Failure> SystemProcessEnding::Hang(std::optional<std::chrono::milliseconds> duration) {
  if (duration) {
    std::this_thread::sleep_for(*duration);
    return std::nullopt;
  }
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace korrin::standin
