#pragma once

#include <QDialog>

#include "engine/AcadTemplateSetup.h"

class QCheckBox;
class QLineEdit;
class QTreeWidget;

namespace korrin {

// The settings of the AutoCAD pass after a DWG export: keep or remove the
// lineweights, replace the host's border and title block by the template of
// the sheet size, and the table of those templates. The window shows the
// setup it is given and writes every change into it at once; the run reads
// the setup, never the window. "Continue" hides the window.
class AutoCADSetup final : public QDialog {
  Q_OBJECT

 public:
  explicit AutoCADSetup(AcadTemplateSetup& setup, QWidget* parent = nullptr);

  // Shows the setup again after it was changed elsewhere (the main window's
  // export format enables or disables "Keep Lineweight"). Showing the window
  // refreshes it too.
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FolderTextChanged(const QString& text);
  void FillTable();

  AcadTemplateSetup& setup_;
  QCheckBox* keepLineweight_;
  QCheckBox* replaceTitleBlock_;
  QLineEdit* folder_;
  QTreeWidget* table_;
};

}  // namespace korrin
