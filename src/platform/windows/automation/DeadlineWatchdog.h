#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace korrin {

// A thread that runs an action when an armed deadline passes before it is
// disarmed: the last resort for a call the system does not cancel itself.
// The action runs on the watchdog's thread.
class DeadlineWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  explicit DeadlineWatchdog(std::function<void()> expire);
  ~DeadlineWatchdog();
  DeadlineWatchdog(const DeadlineWatchdog&) = delete;
  DeadlineWatchdog& operator=(const DeadlineWatchdog&) = delete;

  void Arm(Clock::time_point until);
  // True when the action ran for the deadline that was armed.
  bool Disarm();

 private:
  void Watch();

  std::function<void()> expire_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Clock::time_point> until_;
  bool fired_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace korrin
