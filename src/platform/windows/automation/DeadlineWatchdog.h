#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace korrin {

// A thread that watches one waiting call at a time: while the call is
// armed it ticks at a steady interval (and once more when the call's
// deadline passes), and when the last resort's time passes before the call
// is disarmed it runs the expire action. Both run on the watchdog's thread.
class DeadlineWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  DeadlineWatchdog(std::chrono::milliseconds interval, std::function<void()> tick, std::function<void()> expire);
  ~DeadlineWatchdog();
  DeadlineWatchdog(const DeadlineWatchdog&) = delete;
  DeadlineWatchdog& operator=(const DeadlineWatchdog&) = delete;

  void Arm(Clock::time_point deadline, Clock::time_point lastResort);
  // True when the expire action ran for the call that was armed.
  bool Disarm();

 private:
  struct Armed {
    Clock::time_point deadline;
    Clock::time_point lastResort;
    Clock::time_point nextTick;
    bool deadlineTicked = false;
  };
  void Watch();

  std::chrono::milliseconds interval_;
  std::function<void()> tick_;
  std::function<void()> expire_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Armed> armed_;
  bool fired_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace korrin
