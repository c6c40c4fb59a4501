#include "engine/RunLog.h"

namespace korrin {

void RunLog::LogLine(const std::string& text) {
  lastLine_ = text;
  view_.AppendLogLine(text);
  view_.ShowStatusText(text);
  events_.Yield();
}

void RunLog::ShowStatus(const std::string& text) { view_.ShowStatusText(text); }

}  // namespace korrin
