#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ports/Dialogs.h"

namespace korrin::testing {

// Dialogs that answer from a script. Every box shown must be the next one
// the script expects, of the same kind and with exactly the same text;
// anything else fails the test, and so does a script left unfinished when
// the double goes away. Every text shown is recorded in order.
class ScriptedDialogs final : public Dialogs {
 public:
  enum class Kind { Message, YesNo, OkCancel };

  ScriptedDialogs() = default;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
  ~ScriptedDialogs() override;

  ScriptedDialogs& ExpectMessage(std::string text);
  ScriptedDialogs& ExpectYesNo(std::string text, bool answerYes);
  ScriptedDialogs& ExpectOkCancel(std::string text, bool answerOk);

  const std::vector<std::string>& shown() const { return shown_; }
  bool finished() const { return script_.empty(); }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;

 private:
  struct Step {
    Kind kind;
    std::string text;
    bool answer;
  };

  bool Play(Kind kind, const std::string& text);

  std::deque<Step> script_;
  std::vector<std::string> shown_;
};

}  // namespace korrin::testing
