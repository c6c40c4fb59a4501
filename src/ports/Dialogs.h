#pragma once

#include <optional>
#include <string>

namespace korrin {

// What a file dialog asks. The filter is worded as the program words it:
// "TXT Files (*.TXT)|*.TXT", description and pattern pairs split by "|".
struct FileRequest {
  enum class Purpose { Open, Save };

  Purpose purpose = Purpose::Open;
  std::string title;
  std::string filter;
  std::string startFolder;  // empty: where the dialog was last
  std::string fileName;     // proposed; empty for none

  bool operator==(const FileRequest&) const = default;
};

// Every message box and every dialog that asks the user for a file, a
// folder or a text. Texts arrive exactly as the program
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

  // The file the user chose; nothing when the dialog was cancelled.
  virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
  // The folder the user confirmed; nothing otherwise.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;
  // The text the user entered in an input box; nothing on Cancel.
  virtual std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) = 0;
};

}  // namespace korrin
