#pragma once

#include <string>

#include "engine/RunView.h"
#include "ports/EventPump.h"

namespace korrin {

// Writes the run log. Every log line is a point where window events run, so
// the Abort command is handled while a run works.
class RunLog {
 public:
  RunLog(RunView& view, EventPump& events) : view_(view), events_(events) {}

  // Appends the line, shows it as the status text, then yields once.
  void LogLine(const std::string& text);
  // Shows the status text only: no log line, no yield.
  void ShowStatus(const std::string& text);

  EventPump& events() { return events_; }
  // The line logged last; empty before the first.
  const std::string& lastLine() const { return lastLine_; }

 private:
  RunView& view_;
  EventPump& events_;
  std::string lastLine_;
};

}  // namespace korrin
