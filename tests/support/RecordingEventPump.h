#pragma once

#include <functional>

#include "ports/EventPump.h"

namespace korrin::testing {

// Counts the yields and runs what a test wants to happen "meanwhile", as a
// click on Abort would during a real yield. A pause is a yield too, and is
// counted on its own as well.
class RecordingEventPump final : public EventPump {
 public:
  int yields = 0;
  int pauses = 0;
  std::function<void(int)> onYield;  // gets the number of this yield, from 1

  void Pause() override {
    ++pauses;
    Yield();
  }

  void Yield() override {
    ++yields;
    if (onYield) onYield(yields);
  }
};

}  // namespace korrin::testing
