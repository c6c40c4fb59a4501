#pragma once

#include <ostream>

#include "ports/Dialogs.h"

namespace korrin {

// Message boxes of the headless program: each text goes to the error
// stream, its carriage returns as line ends, and questions are answered by
// the policy chosen on the command line.
class ConsoleDialogs final : public Dialogs {
 public:
  ConsoleDialogs(std::ostream& out, bool answerYes) : out_(out), answerYes_(answerYes) {}

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;

 private:
  void Write(const std::string& text, const char* answer);

  std::ostream& out_;
  bool answerYes_;
};

}  // namespace korrin
