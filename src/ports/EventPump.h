#pragma once

namespace korrin {

// The one place where a long loop lets pending window events run, so the
// window repaints and the Abort command is handled while the loop works.
// Yield returns after the pending events ran; it never blocks waiting for new
// ones. A front end without a window implements it as a no-op.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void Yield() = 0;
  // Yields inside a loop that waits for something outside the program (a
  // busy host): a front end may also give the processor away for a moment,
  // so a long wait does not spin.
  virtual void Pause() { Yield(); }
};

}  // namespace korrin
