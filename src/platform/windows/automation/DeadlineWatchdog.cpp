#include "platform/windows/automation/DeadlineWatchdog.h"

#include <algorithm>

namespace korrin {

DeadlineWatchdog::DeadlineWatchdog(std::chrono::milliseconds interval, std::function<void()> tick,
                                   std::function<void()> expire)
    : interval_(interval), tick_(std::move(tick)), expire_(std::move(expire)), thread_([this] { Watch(); }) {}

DeadlineWatchdog::~DeadlineWatchdog() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void DeadlineWatchdog::Arm(Clock::time_point deadline, Clock::time_point lastResort) {
  {
    std::lock_guard lock(mutex_);
    armed_ = Armed{deadline, lastResort, Clock::now() + interval_};
    fired_ = false;
  }
  changed_.notify_all();
}

bool DeadlineWatchdog::Disarm() {
  std::lock_guard lock(mutex_);
  armed_.reset();
  return fired_;
}

void DeadlineWatchdog::Watch() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!armed_) {
      changed_.wait(lock);
      continue;
    }
    Armed& armed = *armed_;
    const Clock::time_point now = Clock::now();
    std::function<void()>* action = nullptr;
    if (now >= armed.lastResort) {
      armed_.reset();
      fired_ = true;
      action = &expire_;
    } else if (now >= armed.deadline && !armed.deadlineTicked) {
      armed.deadlineTicked = true;
      action = &tick_;
    } else if (now >= armed.nextTick) {
      armed.nextTick = now + interval_;
      action = &tick_;
    } else {
      const Clock::time_point next =
          std::min({armed.nextTick, armed.lastResort, armed.deadlineTicked ? armed.lastResort : armed.deadline});
      changed_.wait_until(lock, next);
      continue;
    }
    // The actions may take a while (ending a process): a Disarm must not
    // wait for them.
    lock.unlock();
    (*action)();
    lock.lock();
  }
}

}  // namespace korrin
