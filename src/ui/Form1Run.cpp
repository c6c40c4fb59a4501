// The main window's run: the Export command, the fields a run reads, and
// what the run shows of itself.
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <ctime>

#include "engine/RunOutcomes.h"
#include "frontend/RunChecks.h"
#include "host/ProcessOperations.h"
#include "ui/ConversionListModel.h"
#include "ui/ConversionListView.h"
#include "ui/ExportFolderBox.h"
#include "ui/Form1.h"
#include "ui/WindowPlacement.h"

namespace korrin {

void Form1::StartExport() {
  if (!CheckRunCanStart(Text1->text().toStdString(), list_.IsEmpty(), Text3->text().toStdString(), ports_.dialogs)) {
    return;
  }
  ClearReport();
  List1Model->ClearMarks();
  OpenRunLog();
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
  runLog_.reset();
  ShowOutcomes(result);
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
  inputs.skipExisting = CheckSkipExisting->isChecked();
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
    report_->ShowLogFile(runLogText_);
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
  const bool opening = !report.isVisible();
  report.show();
  // Placed once shown, when the frame around it is known.
  if (opening) PlaceReport(report);
  report.ShowLastLine();
}

void Form1::PlaceReport(ExportReport& report) {
  const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QLabel* panel = StatusPanels[2];
  const QRect panelArea(panel->mapToGlobal(QPoint(0, 0)), panel->size());
  // The report's frame is what must fit; its size is the client area's.
  const QMargins frame = report.frameGeometry().size() == report.size()
                             ? QMargins()
                             : QMargins(report.geometry().left() - report.frameGeometry().left(),
                                        report.geometry().top() - report.frameGeometry().top(),
                                        report.frameGeometry().right() - report.geometry().right(),
                                        report.frameGeometry().bottom() - report.geometry().bottom());
  const QSize wanted = report.size().grownBy(frame);
  const QRect place = PlaceBeside(screen->availableGeometry(), frameGeometry(), panelArea, wanted);
  if (place.isEmpty()) return;
  report.resize(place.size().shrunkBy(frame));
  report.move(place.topLeft());
}

void Form1::OpenRunLog() {
  runLog_.reset();
  runLogText_.clear();
  if (ports_.runLogFolder.empty()) return;
  const std::time_t now = std::time(nullptr);
  std::tm localStart{};
  localtime_r(&now, &localStart);
  auto created = RunLogFile::Create(ports_.runLogFolder, localStart);
  if (!created) {
    runLogText_ = "No log file: " + QString::fromStdString(created.failure().description);
    return;
  }
  runLog_ = std::move(created).value();
  runLogText_ = "Log: " + QString::fromStdString(runLog_->path().string());
  // The new log counts among the ones kept.
  (void)PruneRunLogs(ports_.runLogFolder);
}

void Form1::KeepRunLogLine(const std::string& line) {
  if (runLog_ == nullptr) return;
  if (const Status written = runLog_->Append(line); !written) {
    runLog_.reset();
    runLogText_ = "Log file incomplete: " + QString::fromStdString(written.failure().description);
    if (report_ != nullptr) report_->ShowLogFile(runLogText_);
  }
}

void Form1::AppendLogLine(const std::string& line) {
  Report().AddLine(line);
  KeepRunLogLine(line);
}

void Form1::ShowOutcomes(const RunResult& result) {
  List1Model->SetMarks(result.entries);
  if (!List1Model->HasMarks()) return;
  RunCounts->setText(QString::fromStdString(SummaryLine(result)));
  // Wide enough for the whole count, however little room the status text leaves.
  RunCounts->setMinimumWidth(RunCounts->sizeHint().width());
  std::vector<std::string> reasons;
  for (const EntryRecord& entry : result.entries) {
    if (MarkOf(entry.outcome) == EntryMark::Failed && !entry.reason.empty()) reasons.push_back(entry.reason);
  }
  if (report_ != nullptr) report_->MarkReasonLines(reasons);
}

void Form1::KeepOnlyFailed_Click() {
  if (busy_ || !List1Model->HasFailedMarks()) return;
  List1Model->KeepingMarks([this] { fileList_->RemoveMarked(List1Model->RowsNotFailed()); });
  // No entry selected: the next run starts from the first failure without
  // the continue question.
  List1->clearSelection();
  List1->selectionModel()->clearCurrentIndex();
  fileList_->UpdateSelectionCount();
  UpdateKeepOnlyFailed();
}

void Form1::UpdateKeepOnlyFailed() {
  // Enabled while there is something to drop or keep: marked failures.
  KeepOnlyFailed->setEnabled(!busy_ && List1Model->HasFailedMarks());
}

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
