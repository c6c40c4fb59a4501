#include "app/ConsoleDialogs.h"

#include <algorithm>

namespace korrin {

void ConsoleDialogs::Write(const char* kind, const std::string& text, const char* answer) {
  if (beforeWrite_) beforeWrite_();
  std::string shown = text;
  std::replace(shown.begin(), shown.end(), '\r', '\n');
  out_ << "[" << kind << "] " << shown << "\n";
  if (answer != nullptr) out_ << "[answer] " << answer << "\n";
  out_.flush();
}

bool ConsoleDialogs::AnswerTo(const std::string& text) {
  if (fixedAnswer_) {
    if (const auto fixed = fixedAnswer_(text)) return *fixed;
  }
  return answerYes_;
}

void ConsoleDialogs::ShowMessage(const std::string& text) { Write("message", text, nullptr); }

bool ConsoleDialogs::AskYesNo(const std::string& text) {
  const bool yes = AnswerTo(text);
  Write("question", text, yes ? "Yes" : "No");
  return yes;
}

bool ConsoleDialogs::AskOkCancel(const std::string& text) {
  const bool ok = AnswerTo(text);
  Write("question", text, ok ? "OK" : "Cancel");
  return ok;
}

std::optional<std::string> ConsoleDialogs::ChooseFile(const FileRequest& request) {
  Write("file dialog", request.title, "Cancel");
  return std::nullopt;
}

std::optional<std::string> ConsoleDialogs::BrowseForFolder(const std::string& title) {
  Write("folder browser", title, "Cancel");
  return std::nullopt;
}

std::optional<std::string> ConsoleDialogs::AskText(const std::string& prompt, const std::string&,
                                                   const std::string&) {
  Write("input box", prompt, "Cancel");
  return std::nullopt;
}

}  // namespace korrin
