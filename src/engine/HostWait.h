#pragma once

#include <chrono>
#include <functional>

namespace korrin {

// The time limit of every wait on the host, so a host that hangs ends in a
// logged failure instead of a frozen run.
struct HostWaitLimit {
  using Clock = std::chrono::steady_clock;

  std::chrono::seconds limit{600};
  std::function<Clock::time_point()> now = [] { return Clock::now(); };

  Clock::time_point DeadlineFromNow() const { return now() + limit; }
  bool Passed(Clock::time_point deadline) const { return now() >= deadline; }
};

}  // namespace korrin
