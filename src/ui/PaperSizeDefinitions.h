#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "ports/Dialogs.h"
#include "print/PaperSizeRow.h"
#include "settings/FileCodePage.h"

class QTreeWidget;

namespace korrin {

class Paperdefinition;

// The list window "Papersize Definitions": every paper of the definitions
// file, with commands to add, edit, delete, reload and save them. The file
// is read when the window is loaded and written only by "Save" and "OK":
// rows the user left alone byte for byte, the others in the code page the
// file was read in (UTF-8, or Windows-1252 for a file that is no UTF-8).
// It is modal: the caller loads the file, may add a row, and runs exec();
// Accepted means "OK" wrote the file.
class PaperSizeDefinitions final : public QDialog {
  Q_OBJECT

 public:
  PaperSizeDefinitions(Dialogs& dialogs, std::string paperFile, QWidget* parent = nullptr);

  // Replaces the rows with the papers of the file.
  void LoadPaperSizeList();
  // Appends a row, selects it and fills the definition dialog with it.
  void AddRow(const PaperSizeRow& row);
  std::vector<PaperSizeRow> Rows() const;
  std::string NewPaperName() const;
  Paperdefinition& definition() { return *definition_; }

  // The commands, by their buttons.
  void AddNewRow();
  void DeleteRow();
  void ReloadIni();
  bool Save();
  // Edits the selected row in the definition dialog (a double click).
  void EditSelectedRow();

  // OK: writes the file and closes; a file that cannot be written, or a row
  // whose name or description holds a ";", keeps the window open, so the
  // edits are not lost.
  void accept() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FitColumns();

  Dialogs& dialogs_;
  std::string paperFile_;
  QTreeWidget* list_;
  Paperdefinition* definition_;
  // What the file was read in: edited rows are written back in it.
  FileCodePage codePage_ = FileCodePage::Utf8;
};

}  // namespace korrin
