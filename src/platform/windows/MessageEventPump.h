#pragma once

#include <chrono>

#include "ports/EventPump.h"

namespace korrin {

// The yields of a program without windows of its own on Windows: the
// thread's messages are served (a single-threaded automation apartment
// delivers its calls and replies as messages, and must be pumped), then the
// next pump yields, such as the one that turns interrupts into the abort
// request. A yield serves at most a bounded number of messages, so a stream
// of them cannot keep it from returning; a pause waits a moment for a
// message to arrive before it yields.
class MessageEventPump final : public EventPump {
 public:
  static constexpr int kMostMessagesPerYield = 1000;
  static constexpr std::chrono::milliseconds kPause{5};

  explicit MessageEventPump(EventPump* next = nullptr) : next_(next) {}

  void Yield() override;
  void Pause() override;

 private:
  EventPump* next_;
};

}  // namespace korrin
