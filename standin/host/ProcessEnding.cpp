#include "ProcessEnding.h"

#include <csignal>

#include "StandinFailures.h"

namespace korrin::standin {

int CrashSignal() { return SIGKILL; }

std::optional<Failure> EndingInsideProgram::Crash(int /*signalNumber*/) { return ServerUnavailable(); }

std::optional<Failure> EndingInsideProgram::Exit(int /*status*/) { return ServerUnavailable(); }

std::optional<Failure> EndingInsideProgram::Hang(std::optional<std::chrono::milliseconds> /*duration*/) {
  return Failure{kCallTimedOut, "The host did not answer."};
}

}  // namespace korrin::standin
