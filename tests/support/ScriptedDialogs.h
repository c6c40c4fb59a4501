#pragma once

#include <deque>
#include <optional>
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
  enum class Kind { Message, YesNo, OkCancel, File, Folder, Text };

  ScriptedDialogs() = default;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
  ~ScriptedDialogs() override;

  ScriptedDialogs& ExpectMessage(std::string text);
  ScriptedDialogs& ExpectYesNo(std::string text, bool answerYes);
  ScriptedDialogs& ExpectOkCancel(std::string text, bool answerOk);
  // The dialogs that ask for something answer with it, or with nothing for
  // Cancel. A file dialog must be asked exactly as expected; a folder
  // browser is known by its title, an input box by its prompt.
  ScriptedDialogs& ExpectFile(FileRequest request, std::optional<std::string> answer);
  ScriptedDialogs& ExpectFolder(std::string title, std::optional<std::string> answer);
  ScriptedDialogs& ExpectText(std::string prompt, std::optional<std::string> answer);

  const std::vector<std::string>& shown() const { return shown_; }
  bool finished() const { return script_.empty(); }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;
  std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

 private:
  struct Step {
    Kind kind;
    std::string text;
    bool answer;
    std::optional<std::string> reply;
    std::optional<FileRequest> file;
  };

  // The step that answers a box of that kind and text; nothing when the
  // script had no such step (the test has failed then).
  std::optional<Step> Play(Kind kind, const std::string& text);

  std::deque<Step> script_;
  std::vector<std::string> shown_;
};

}  // namespace korrin::testing
