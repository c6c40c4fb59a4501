#pragma once

#include <string>

namespace korrin {

// Every message box of the program. Texts arrive exactly as the program
// words them; parts of a text are joined with a single carriage return, and
// an adapter may turn that into whatever line break its toolkit shows.
// Boxes carry the program's title. Callers run on the user-interface thread;
// each call returns only after the user (or a policy) has answered.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A message with an OK button only.
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes and No buttons; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // A question with OK and Cancel buttons; true for OK.
  virtual bool AskOkCancel(const std::string& text) = 0;
};

}  // namespace korrin
