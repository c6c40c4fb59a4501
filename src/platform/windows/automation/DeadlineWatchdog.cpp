#include "platform/windows/automation/DeadlineWatchdog.h"

namespace korrin {

DeadlineWatchdog::DeadlineWatchdog(std::function<void()> expire)
    : expire_(std::move(expire)), thread_([this] { Watch(); }) {}

DeadlineWatchdog::~DeadlineWatchdog() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void DeadlineWatchdog::Arm(Clock::time_point until) {
  {
    std::lock_guard lock(mutex_);
    until_ = until;
    fired_ = false;
  }
  changed_.notify_all();
}

bool DeadlineWatchdog::Disarm() {
  std::lock_guard lock(mutex_);
  until_.reset();
  return fired_;
}

void DeadlineWatchdog::Watch() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!until_) {
      changed_.wait(lock);
      continue;
    }
    const Clock::time_point until = *until_;
    if (Clock::now() < until) {
      changed_.wait_until(lock, until);
      continue;
    }
    until_.reset();
    fired_ = true;
    // The action may take a while (ending a process): the caller's Disarm
    // must not wait for it, but the next Arm must see fired_ reset.
    lock.unlock();
    expire_();
    lock.lock();
  }
}

}  // namespace korrin
