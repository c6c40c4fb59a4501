#pragma once

#include <functional>

#include "ports/EventPump.h"

namespace korrin::testing {

// Counts the yields and runs what a test wants to happen "meanwhile", as a
// click on Abort would during a real yield.
class RecordingEventPump final : public EventPump {
 public:
  int yields = 0;
  std::function<void(int)> onYield;  // gets the number of this yield, from 1

  void Yield() override {
    ++yields;
    if (onYield) onYield(yields);
  }
};

}  // namespace korrin::testing
