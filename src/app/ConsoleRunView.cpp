#include "app/ConsoleRunView.h"

#include <algorithm>

namespace korrin {

void ConsoleRunView::AppendLogLine(const std::string& line) {
  ClearProgressLine();
  lines_.push_back(line);
  std::string shown = line;
  std::replace(shown.begin(), shown.end(), '\r', '\n');
  // Flushed line by line, so whoever watches the output sees each step as
  // it happens.
  log_ << shown << std::endl;
  DrawProgressLine();
}

void ConsoleRunView::ShowFileCounter(const std::string& text) {
  counter_ = text;
  DrawProgressLine();
}

void ConsoleRunView::ShowProgress(int, const std::string& percentText, const std::string& timeLeftText) {
  percent_ = percentText;
  timeLeft_ = timeLeftText;
  DrawProgressLine();
}

void ConsoleRunView::ClearProgressLine() {
  if (!progressShown_) return;
  progress_ << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

void ConsoleRunView::DrawProgressLine() {
  if (!showProgress_ || counter_.empty()) return;
  progress_ << "\r\x1b[K" << counter_;
  if (!percent_.empty()) progress_ << "  " << percent_ << "  " << timeLeft_ << " left";
  progress_ << std::flush;
  progressShown_ = true;
}

}  // namespace korrin
