#pragma once

#include <QString>

#include "ports/Dialogs.h"

class QWidget;

namespace korrin {

// The boxes and dialogs of the windowed program: Qt's message boxes, file
// dialogs and input box over the window that asks, each with the program's
// title. A carriage return in a text is a line break.
class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner = nullptr, QString title = "Korrin") : owner_(owner), title_(std::move(title)) {}
  // The window the boxes are shown over, once it exists.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;
  std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

 private:
  QWidget* owner_;
  QString title_;
};

// "TXT Files (*.TXT)|*.TXT" as Qt's name filters, each pattern in upper and
// lower case as the file names on this system may be written either way:
// "TXT Files (*.TXT *.txt)".
QStringList NameFiltersOf(const std::string& filter);

}  // namespace korrin
