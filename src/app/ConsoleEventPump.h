#pragma once

#include <functional>

#include "ports/AbortFlag.h"
#include "ports/EventPump.h"

namespace korrin {

// korrin-batch has no window events; its yields are where an interrupt
// becomes the abort request, and its waits sleep a little between checks so
// a long wait on the host does not spin.
class ConsoleEventPump final : public EventPump {
 public:
  // onAbort runs once per interrupt that raised the flag.
  ConsoleEventPump(AbortFlag& abort, std::function<void()> onAbort) : abort_(abort), onAbort_(std::move(onAbort)) {}

  void Yield() override;
  void Pause() override;

 private:
  AbortFlag& abort_;
  std::function<void()> onAbort_;
  int handled_ = 0;
};

}  // namespace korrin
