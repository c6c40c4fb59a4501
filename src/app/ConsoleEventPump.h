#pragma once

#include <functional>

#include "ports/AbortFlag.h"
#include "ports/EventPump.h"

namespace korrin {

// korrin-batch has no window events; its yields are where an interrupt
// becomes the abort request, and its waits sleep a little between checks so
// a long wait on the host does not spin. Where the system has events of
// its own for the program's thread (on Windows, the messages that carry
// automation calls and replies), they are served first at every yield, and
// a wait waits for them instead of sleeping.
class ConsoleEventPump final : public EventPump {
 public:
  // onAbort runs once per interrupt that raised the flag.
  ConsoleEventPump(AbortFlag& abort, std::function<void()> onAbort, EventPump* system = nullptr)
      : abort_(abort), onAbort_(std::move(onAbort)), system_(system) {}

  void Yield() override;
  void Pause() override;

 private:
  AbortFlag& abort_;
  std::function<void()> onAbort_;
  EventPump* system_;
  int handled_ = 0;
};

}  // namespace korrin
