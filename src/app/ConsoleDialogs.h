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
// Dialogs that would need a person to choose a file, a folder or a text are
// cancelled.
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
  // Without a window to choose in, these are cancelled, and say so.
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;
  std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

 private:
  bool AnswerTo(const std::string& text);
  void Write(const char* kind, const std::string& text, const char* answer);

  std::ostream& out_;
  bool answerYes_;
  FixedAnswer fixedAnswer_;
  std::function<void()> beforeWrite_;
};

}  // namespace korrin
