#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/RunView.h"

namespace korrin {

// The run as korrin-batch shows it: every log line on the log stream as it
// is logged (a carriage return inside a line starts a new output line), and,
// when the error stream is a terminal, one progress line there that is
// redrawn in place. The view keeps the log for the report file.
class ConsoleRunView final : public RunView {
 public:
  ConsoleRunView(std::ostream& log, std::ostream& progress, bool showProgress)
      : log_(log), progress_(progress), showProgress_(showProgress) {}

  void AppendLogLine(const std::string& line) override;
  void ShowStatusText(const std::string&) override {}
  void ShowFileCounter(const std::string& text) override;
  void ShowProgress(int barValue, const std::string& percentText, const std::string& timeLeftText) override;

  // Takes the progress line away, so other output starts on a clean line.
  void ClearProgressLine();

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  void DrawProgressLine();

  std::ostream& log_;
  std::ostream& progress_;
  bool showProgress_;
  bool progressShown_ = false;
  std::string counter_;
  std::string percent_;
  std::string timeLeft_;
  std::vector<std::string> lines_;
};

}  // namespace korrin
