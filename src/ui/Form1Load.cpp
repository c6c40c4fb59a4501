// The main window's load step and how its controls are wired.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

#include "formats/FormatCatalogue.h"
#include "frontend/StartUpSteps.h"
#include "settings/RunOptions.h"
#include "settings/TextTokens.h"
#include "ui/ConversionListView.h"
#include "ui/ExportFolderBox.h"
#include "ui/ConversionListModel.h"
#include "ui/Form1.h"
#include "ui/FolderTree.h"
#include "ui/SourceFilePanel.h"

namespace korrin {

void Form1::ConnectControls() {
  connect(AddOne, &QPushButton::clicked, this, &Form1::AddOne_Click);
  connect(AddMany, &QPushButton::clicked, this, &Form1::AddMany_Click);
  connect(RemoveOne, &QPushButton::clicked, this, &Form1::RemoveOne_Click);
  connect(RemoveMany, &QPushButton::clicked, this, &Form1::RemoveMany_Click);
  connect(Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
  connect(Combo2, &QComboBox::activated, this, &Form1::Combo2_Click);
  connect(FolderTreeview1, &FolderTree::folderChosen, this, &Form1::FolderTreeview1_FolderClick);
  connect(List1, &ConversionListView::dropped, this, &Form1::List1_Drop);
  connect(KeepOnlyFailed, &QAction::triggered, this, &Form1::KeepOnlyFailed_Click);
  connect(List1Model, &ConversionListModel::marksChanged, this, [this] {
    if (!List1Model->HasMarks()) {
      RunCounts->clear();
      RunCounts->setMinimumWidth(0);
    }
    UpdateKeepOnlyFailed();
  });
  connect(List1, &ConversionListView::selectionTouched, this, [this] { fileList_->UpdateSelectionCount(); });

  connect(Check1, &QCheckBox::clicked, this, &Form1::Check1_Click);
  connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
  connect(Text2, &QLineEdit::textChanged, this, [this](const QString& text) { state_.SetExportIniFile(text.toStdString()); });
  connect(Text4, &QLineEdit::textChanged, this, [this](const QString& text) { state_.SetImportIniFile(text.toStdString()); });
  // A project typed into the box is the project; one chosen in the dialog
  // stays as chosen while the box shows a shortcut's target.
  connect(Text3, &QLineEdit::textEdited, this, [this](const QString& text) { projectFile_ = text.toStdString(); });
  const std::pair<QPushButton*, void (Form1::*)()> commands[] = {
      {Command13, &Form1::Command13_Click}, {Command4, &Form1::Command4_Click},   {Command11, &Form1::Command11_Click},
      {Command5, &Form1::Command5_Click},   {Command10, &Form1::Command10_Click}, {Command6, &Form1::Command6_Click},
      {Command7, &Form1::Command7_Click},   {Command8, &Form1::Command8_Click},   {Command9, &Form1::Command9_Click},
      {Command12, &Form1::Command12_Click}};
  for (const auto& [button, command] : commands) connect(button, &QPushButton::clicked, this, command);
}

bool Form1::Load() {
  auto started = StartProgram({ports_.registry, ports_.connector, ports_.processes, ports_.dialogs, pump_,
                               ports_.printers, ports_.place});
  if (!started) return false;
  state_ = std::move(*started);
  ShowLoadedState();
  ShowStatusText("Ready");
  return true;
}

void Form1::ShowLoadedState() {
  Label8->setText(kReleaseLabel);
  setWindowTitle(QString::fromStdString(state_.caption));

  // The saved folder is listed even when the tree cannot show it.
  const QString folder = QString::fromStdString(state_.settings.BatchLastFolder);
  File1->SetFolder(folder);
  File1->SetPattern(QString::fromStdString(state_.settings.BatchLastImportFilter));
  FolderTreeview1->SetSelectedFolder(folder);
  File1->Refresh();
  UpdateSourceCount();
  Label2->setText(QString::fromStdString(FileCountText(0)));

  Check1->setChecked(state_.exportFolder.has_value());
  CheckSkipExisting->setChecked(ReadRunOptions(ports_.place.programFolder).skipExisting);
  if (state_.exportFolder) Text1->setText(QString::fromStdString(*state_.exportFolder));
  projectFile_ = state_.projectFile;
  Text3->setText(QString::fromStdString(projectFile_));

  // The format boxes are chosen as the user would choose them; the export
  // format the settings kept is chosen last, since choosing the import
  // format picks the first export format.
  const std::string exportCaption = state_.exportCaption;
  Combo1->clear();
  for (const std::string& caption : FillImportList()) Combo1->addItem(QString::fromStdString(caption));
  Combo1->setCurrentIndex(Combo1->findText(QString::fromStdString(state_.importCaption)));
  if (Combo1->currentIndex() >= 0) {
    Combo1_Click(Combo1->currentIndex());
  } else {
    ShowExportFormats({});
    ApplyExportChoice("", state_.settings, *this);
  }
  const int exportIndex = Combo2->findText(QString::fromStdString(exportCaption));
  if (exportIndex >= 0) {
    Combo2->setCurrentIndex(exportIndex);
    Combo2_Click(exportIndex);
  }
}

}  // namespace korrin
