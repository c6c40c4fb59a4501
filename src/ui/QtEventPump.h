#pragma once

#include <QElapsedTimer>

#include "ports/EventPump.h"

namespace korrin {

// Lets the window's pending events run: repaints, clicks on the Abort
// panel, the Escape key. A loop that yields after every one of fifty
// thousand dropped files would otherwise spend its time laying the window
// out again and again, so events run at most every few milliseconds: often
// enough that the window never seems to stand still.
class QtEventPump final : public EventPump {
 public:
  QtEventPump() { sinceEvents_.start(); }

  void Yield() override;
  // Also sleeps a moment in the event loop, so a long wait on the host
  // leaves the processor to others.
  void Pause() override;

 private:
  QElapsedTimer sinceEvents_;
};

}  // namespace korrin
