// The main window's run: the Export command, the fields a run reads, and
// what the run shows of itself.
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>

#include "frontend/RunChecks.h"
#include "host/ProcessOperations.h"
#include "ui/ConversionListModel.h"
#include "ui/ConversionListView.h"
#include "ui/ExportFolderBox.h"
#include "ui/Form1.h"

namespace korrin {

void Form1::StartExport() {
  if (!CheckRunCanStart(Text1->text().toStdString(), list_.IsEmpty(), Text3->text().toStdString(), ports_.dialogs)) {
    return;
  }
  ClearReport();
  RunInputs inputs = Inputs();
  RunEnvironment environment{ports_.connector,
                             ports_.processes,
                             ports_.registry,
                             ports_.dialogs,
                             pump_,
                             *this,
                             abort_,
                             state_.options,
                             state_.version.registryVersionTag,
                             state_.version.hostVersionNumber,
                             ports_.place.programFolder,
                             ports_.waitLimit};
  environment.acadSetup = &acadSetup_;
  environment.printers = &ports_.printers;
  environment.watcher = ports_.watcher;
  // The percentage is written as the user's locale writes numbers.
  const QString decimalPoint = QLocale().decimalPoint();
  if (decimalPoint.size() == 1 && decimalPoint[0].unicode() < 0x80) {
    environment.decimalSeparator = static_cast<char>(decimalPoint[0].unicode());
  }
  BeginBusy();
  const RunResult result = StartRun(list_, inputs, environment);
  ShowExportFolderAsRun(inputs.exportFolder);
  // The next run applies the project as this one did, even when a shortcut
  // it was chosen by has gone since.
  projectFile_ = inputs.projectFile;
  // The next run continues from the entry an abort left selected.
  List1->clearSelection();
  if (inputs.selected) SelectEntry(*inputs.selected);
  if (result.orderlyEnd) {
    ShowReportAtEnd();
    // The run ended the watcher already; one that came back while the
    // report opened is ended as well.
    KillProcesses(ports_.processes, kWatcherProgram);
  }
  EndBusy();
}

void Form1::ShowExportFolderAsRun(const std::string& folder) {
  // The run takes a trailing separator off the folder it exports to; the
  // field, and with it the saved choice, shows the folder as it was used.
  const QString used = QString::fromStdString(folder);
  if (Text1->text() != used) Text1->setText(used);
}

RunInputs Form1::Inputs() const {
  RunInputs inputs;
  inputs.importCaption = Combo1->currentText().toStdString();
  inputs.exportCaption = Combo2->currentText().toStdString();
  inputs.useExportFolder = Check1->isChecked();
  inputs.exportFolder = Text1->text().toStdString();
  inputs.exportIniFile = Text2->text().toStdString();
  inputs.importIniFile = Text4->text().toStdString();
  inputs.projectFile = projectFile_;
  inputs.printDocuments = Check2->isChecked();
  inputs.skipReferenceCheck = Check3->isChecked();
  const QModelIndex current = List1->currentIndex();
  if (current.isValid() && List1->selectionModel()->isSelected(current)) {
    inputs.selected = static_cast<std::size_t>(current.row());
  }
  return inputs;
}

std::vector<std::string> Form1::ListedFiles() const { return list_.Entries(); }

ExportReport& Form1::Report() {
  if (report_ == nullptr) {
    report_ = new ExportReport(ports_.dialogs, ports_.place.programFolder, ports_.reportPrinter, this);
    connect(report_, &ExportReport::unloaded, report_, &QObject::deleteLater);
  }
  return *report_;
}

void Form1::ClearReport() {
  // The report window is the log's only store: a new run starts a new one.
  if (report_ != nullptr) {
    ExportReport* old = report_;
    report_ = nullptr;
    old->hide();
    old->deleteLater();
  }
}

void Form1::ShowReportAtEnd() {
  ExportReport& report = Report();
  report.show();
  report.ShowLastLine();
}

void Form1::AppendLogLine(const std::string& line) { Report().AddLine(line); }

void Form1::ShowStatusText(const std::string& text) { StatusPanels[1]->setText(QString::fromStdString(text)); }

void Form1::ShowFileCounter(const std::string& text) { Label2->setText(QString::fromStdString(text)); }

void Form1::ShowProgress(int barValue, const std::string& percentText, const std::string& timeLeftText) {
  ProgressBar1->setValue(barValue);
  Label15->setText(QString::fromStdString(percentText));
  Label13->setText(QString::fromStdString(timeLeftText));
}

void Form1::SelectEntry(std::size_t row) {
  const QModelIndex index = List1Model->index(static_cast<int>(row));
  List1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  List1->scrollTo(index);
}

void Form1::DeselectEntry(std::size_t row) {
  List1->selectionModel()->select(List1Model->index(static_cast<int>(row)), QItemSelectionModel::Deselect);
}

}  // namespace korrin
