// The main window's file list: the source panel, the move buttons, the
// format boxes and the drops onto the list.
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

#include "filelist/DropCollection.h"
#include "settings/PathText.h"
#include "settings/TextTokens.h"
#include "ui/ConversionListView.h"
#include "ui/Form1.h"
#include "ui/FolderTree.h"
#include "ui/SourceFilePanel.h"

namespace korrin {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void Form1::ShowListCount(const std::string& text) { Label2->setText(Text(text)); }
void Form1::ShowSelectionCount(const std::string& text) { Label9->setText(Text(text)); }

std::size_t Form1::SelectedEntryCount() const {
  return static_cast<std::size_t>(List1->selectionModel()->selectedRows().size());
}

void Form1::ShowCommandPanel(const std::string& text) { StatusPanels[2]->setText(Text(text)); }

void Form1::ShowImportChoice(std::size_t index) { Combo1->setCurrentIndex(static_cast<int>(index)); }

void Form1::SetSourcePattern(const std::string& pattern) {
  File1->SetPattern(Text(pattern));
  File1->Refresh();
  // The count follows the panel, whatever changed what it lists.
  UpdateSourceCount();
}

void Form1::ShowExportFormats(const std::vector<std::string>& captions) {
  Combo2->clear();
  for (const std::string& caption : captions) Combo2->addItem(Text(caption));
  state_.exportCaptions = captions;
  state_.exportCaption = captions.empty() ? "" : captions.front();
  ExportPatternChanged();
}

void Form1::SetExportSettingsFile(const std::string& path) { Text2->setText(Text(path)); }
void Form1::SetImportSettingsFile(const std::string& path) { Text4->setText(Text(path)); }

void Form1::SetPrintDocuments(bool enabled, bool ticked) {
  Check2->setEnabled(enabled);
  Check2->setChecked(ticked);
}

void Form1::EnableVerify() { Command9->setEnabled(true); }

void Form1::UpdateSourceCount() { Label1->setText(Text(FileCountText(File1->count()))); }

std::string Form1::ImportFilter() const { return File1->pattern().toStdString(); }

void Form1::AddOne_Click() {
  BeginBusy();
  fileList_->AddSelected(File1->folder().toStdString(), File1->SelectedNames());
  File1->clearSelection();
  EndBusy();
}

void Form1::AddMany_Click() {
  BeginBusy();
  File1->selectAll();
  fileList_->AddSelected(File1->folder().toStdString(), File1->SelectedNames());
  File1->clearSelection();
  fileList_->UpdateSelectionCount();
  EndBusy();
}

void Form1::RemoveOne_Click() {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : List1->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(index.row()));
  }
  fileList_->RemoveMarked(std::move(rows));
}

void Form1::RemoveMany_Click() { fileList_->RemoveAll(); }

void Form1::Combo1_Click(int index) {
  if (index < 0) return;
  fileList_->ChangeImportFormat(static_cast<std::size_t>(index));
  state_.importCaption = Combo1->currentText().toStdString();
}

void Form1::Combo2_Click(int index) {
  if (index < 0) return;
  state_.exportCaption = Combo2->itemText(index).toStdString();
  fileList_->ChangeExportFormat(state_.exportCaption);
  ExportPatternChanged();
}

void Form1::FolderTreeview1_FolderClick(const QString& path) {
  if (!IsFullPath(path.toStdString())) return;
  File1->SetFolder(path);
  File1->Refresh();
  UpdateSourceCount();
  state_.settings.BatchLastFolder = path.toStdString();
}

void Form1::List1_Drop(const QList<QUrl>& files, const QString& treeFolder) {
  if (busy_) return;
  BeginBusy();
  ProgressBar1->setValue(0);
  if (treeFolder.isEmpty()) {
    DropFromOutside(files);
  } else {
    DropTreeFolder(treeFolder);
  }
  fileList_->UpdateSelectionCount();
  EndBusy();
}

void Form1::DropFromOutside(const QList<QUrl>& files) {
  std::vector<std::string> items;
  for (const QUrl& url : files) {
    if (!url.isLocalFile()) {
      ports_.dialogs.ShowMessage("Not folder");
      return;
    }
    items.push_back(url.toLocalFile().toStdString());
  }
  DropCollection collection(ImportFilter(), ports_.dialogs, pump_, abort_,
                            [this](const std::string& text) { ShowStatusText(text); });
  collection.AddDroppedItems(items);
  fileList_->AddDraggedFiles(collection.paths());
  log_.LogLine("Ready");
  abort_.Lower();
}

void Form1::DropTreeFolder(const QString& folder) {
  DropCollection collection(ImportFilter(), ports_.dialogs, pump_, abort_,
                            [this](const std::string& text) { ShowStatusText(text); });
  collection.AddTreeFolder(folder.toStdString());
  fileList_->AddDraggedFiles(collection.paths());
  log_.LogLine("Ready");
  abort_.Lower();
}

}  // namespace korrin
