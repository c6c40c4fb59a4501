#include "app/ConsoleDialogs.h"

#include <algorithm>

namespace korrin {

void ConsoleDialogs::Write(const std::string& text, const char* answer) {
  std::string shown = text;
  std::replace(shown.begin(), shown.end(), '\r', '\n');
  out_ << shown;
  if (answer != nullptr) out_ << "\n-> " << answer;
  out_ << "\n";
  out_.flush();
}

void ConsoleDialogs::ShowMessage(const std::string& text) { Write(text, nullptr); }

bool ConsoleDialogs::AskYesNo(const std::string& text) {
  Write(text, answerYes_ ? "Yes" : "No");
  return answerYes_;
}

bool ConsoleDialogs::AskOkCancel(const std::string& text) {
  Write(text, answerYes_ ? "OK" : "Cancel");
  return answerYes_;
}

}  // namespace korrin
