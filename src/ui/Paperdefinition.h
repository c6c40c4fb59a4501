#pragma once

#include <QDialog>

#include "ports/Dialogs.h"
#include "print/PaperSizeRow.h"
#include "settings/FileCodePage.h"

class QLineEdit;

namespace korrin {

// The dialog "Paperdefinition": one paper's name, width, height and
// description. OK keeps the dialog open until the values pass their checks;
// the list window then takes them as typed.
class Paperdefinition final : public QDialog {
  Q_OBJECT

 public:
  explicit Paperdefinition(Dialogs& dialogs, QWidget* parent = nullptr);

  void Fill(const PaperSizeRow& row);
  PaperSizeRow Entered() const;
  // The code page of the file the definition goes into: OK refuses a
  // character it has no byte for.
  void SetCodePage(FileCodePage codePage) { codePage_ = codePage; }

  // The "Multiply with 25.4" buttons beside width and height.
  void MultiplyWidth();
  void MultiplyHeight();

  // OK: the checks in order, the first failure said and the dialog kept.
  void accept() override;

 private:
  Dialogs& dialogs_;
  QLineEdit* name_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* description_;
  FileCodePage codePage_ = FileCodePage::Utf8;
};

}  // namespace korrin
