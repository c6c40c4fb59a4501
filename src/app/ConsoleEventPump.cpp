#include "app/ConsoleEventPump.h"

#include <chrono>
#include <thread>

#include "app/InterruptRequests.h"

namespace korrin {

void ConsoleEventPump::Yield() {
  if (system_ != nullptr) system_->Yield();
  const int interrupts = InterruptCount();
  if (interrupts == handled_) return;
  handled_ = interrupts;
  abort_.Raise();
  if (onAbort_) onAbort_();
}

void ConsoleEventPump::Pause() {
  if (system_ != nullptr) {
    system_->Pause();  // waits a moment for the system's events, then serves them
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  Yield();
}

}  // namespace korrin
