#pragma once

namespace korrin {

// The program-wide request to stop: raised by the Abort command and the
// Escape key, polled by runs, add operations and folder walks between steps,
// lowered when such an operation ends. It is the only state those loops share
// with the event handlers that run while they yield.
class AbortFlag {
 public:
  void Raise() { raised_ = true; }
  void Lower() { raised_ = false; }
  bool IsRaised() const { return raised_; }

 private:
  bool raised_ = false;
};

}  // namespace korrin
