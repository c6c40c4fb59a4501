#include "app/ConsoleEventPump.h"

#include <chrono>
#include <thread>

#include "app/InterruptRequests.h"

namespace korrin {

void ConsoleEventPump::Yield() {
  const int interrupts = InterruptCount();
  if (interrupts == handled_) return;
  handled_ = interrupts;
  abort_.Raise();
  if (onAbort_) onAbort_();
}

void ConsoleEventPump::Pause() {
  Yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace korrin
