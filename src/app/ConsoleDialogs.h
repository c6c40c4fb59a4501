#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "ports/Dialogs.h"

namespace korrin {

// Message boxes of the headless program: each goes to the error stream with
// its kind and the answer given, its carriage returns as line ends.
// Questions are answered by the policy chosen on the command line; a few
// have answers of their own (a folder's recursion, the continue question).
class ConsoleDialogs final : public Dialogs {
 public:
  using FixedAnswer = std::function<std::optional<bool>(const std::string& question)>;

  ConsoleDialogs(std::ostream& out, bool answerYes, FixedAnswer fixedAnswer = {})
      : out_(out), answerYes_(answerYes), fixedAnswer_(std::move(fixedAnswer)) {}

  // Called before a box is written, so a progress line can make room.
  void SetBeforeWrite(std::function<void()> beforeWrite) { beforeWrite_ = std::move(beforeWrite); }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;

 private:
  bool AnswerTo(const std::string& text);
  void Write(const char* kind, const std::string& text, const char* answer);

  std::ostream& out_;
  bool answerYes_;
  FixedAnswer fixedAnswer_;
  std::function<void()> beforeWrite_;
};

}  // namespace korrin
