#pragma once

#include <string>
#include <vector>

#include "engine/RunView.h"

namespace korrin::testing {

// A run view that keeps what it was shown.
class RecordingRunView final : public RunView {
 public:
  struct Progress {
    int barValue = 0;
    std::string percentText;
    std::string timeLeftText;
  };

  std::vector<std::string> lines;
  std::string status;
  std::string fileCounter;
  std::vector<Progress> progress;
  // "select 2" and "deselect 2", in the order the run asked for them.
  std::vector<std::string> listSelection;

  void AppendLogLine(const std::string& line) override { lines.push_back(line); }
  void ShowStatusText(const std::string& text) override { status = text; }
  void ShowFileCounter(const std::string& text) override { fileCounter = text; }
  void ShowProgress(int barValue, const std::string& percentText, const std::string& timeLeftText) override {
    progress.push_back({barValue, percentText, timeLeftText});
  }
  void SelectEntry(std::size_t row) override { listSelection.push_back("select " + std::to_string(row)); }
  void DeselectEntry(std::size_t row) override { listSelection.push_back("deselect " + std::to_string(row)); }
};

}  // namespace korrin::testing
