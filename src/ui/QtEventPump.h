#pragma once

#include "ports/EventPump.h"

namespace korrin {

// Lets the window's pending events run: repaints, clicks on the Abort
// panel, the Escape key.
class QtEventPump final : public EventPump {
 public:
  void Yield() override;
  // Also sleeps a moment in the event loop, so a long wait on the host
  // leaves the processor to others.
  void Pause() override;
};

}  // namespace korrin
