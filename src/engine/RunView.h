#pragma once

#include <cstddef>
#include <string>

namespace korrin {

// What the user sees of a running conversion: the run log (the report
// window's list is its only store), the status text, and the progress
// display. The windowed program shows them in its windows, korrin-batch on
// its console, tests record them. Calls come from the user-interface thread
// and never fail.
class RunView {
 public:
  virtual ~RunView() = default;

  // Appends a line to the run log; it may hold carriage returns where a
  // message joins two texts.
  virtual void AppendLogLine(const std::string& line) = 0;
  virtual void ShowStatusText(const std::string& text) = 0;
  // The file counter label: "3 of 12 Files".
  virtual void ShowFileCounter(const std::string& text) = 0;
  // The progress bar (0 to 100), the percentage label and the time-left label.
  virtual void ShowProgress(int barValue, const std::string& percentText, const std::string& timeLeftText) = 0;
  // The entry the run works on now, selected and made current in the list.
  virtual void SelectEntry(std::size_t /*row*/) {}
  // The entry the run is done with, no longer selected in the list.
  virtual void DeselectEntry(std::size_t /*row*/) {}
};

}  // namespace korrin
