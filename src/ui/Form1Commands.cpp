// The main window's commands: the status bar panels, Escape, the export
// folder, the settings files, the project, the report and verification
// buttons, and closing.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "formats/FormatCatalogue.h"
#include "host/FileExists.h"
#include "host/HostInstallation.h"
#include "host/ProcessOperations.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"
#include "settings/RunOptions.h"
#include "settings/TextTokens.h"
#include "ui/About.h"
#include "ui/ConversionListView.h"
#include "ui/ExportFolderBox.h"
#include "ui/FolderBrowser.h"
#include "ui/Form1.h"
#include "ui/FolderTree.h"
#include "ui/SourceFilePanel.h"
#include "ui/ValidationResult.h"
#include "verify/DocumentVerification.h"
#include "verify/ValidationReport.h"

namespace korrin {
namespace {

constexpr const char* kAborting = "Aborting...";
constexpr const char* kAboutVersion = "1.0";
constexpr const char* kProjectEditor = "ipj.exe";
constexpr const char* kImportSection = "[IMPORT FILE TYPE]";
constexpr const char* kTranslatorExportSection = "[EXPORT SELECT OPTIONS]";
constexpr const char* kExportOptionsSection = "[EXPORTOPTIONS]";
constexpr const char* kNoIniFile =
    "Please select an INI-file for import\r\rYou may create an INI file from Inventor with the settings You prefer";

// The first line of a file, empty when it cannot be read.
std::string FirstLineOf(const std::string& path) {
  const TextFileRead read = ReadTextFile(path);
  return read.lines.empty() ? std::string() : read.lines.front();
}

bool IsBlank(const QString& text) { return text.trimmed().isEmpty(); }

}  // namespace

void Form1::ClickStatusPanel(int number) {
  switch (number) {
    case 3:
      ExportPanel_Click();
      break;
    case 4:
      if (about_ == nullptr) about_ = new About(this);
      about_->ShowRelease(kAboutVersion);
      break;
    case 5:
      close();
      break;
    default:
      break;
  }
}

// The panel's text is its state: it starts a run, or aborts what is busy.
void Form1::ExportPanel_Click() {
  if (StatusPanels[2]->text() == kAbortCommand) {
    RequestAbort();
  } else if (!busy_) {
    StartExport();
  }
}

void Form1::RequestAbort() {
  abort_.Raise();
  log_.LogLine(kAborting);
}

void Form1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (StatusPanels[2]->text() == kAbortCommand) RequestAbort();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // The operation ends (after its current step, when it can be aborted);
    // the window closes then.
    closeWhenIdle_ = true;
    if (StatusPanels[2]->text() == kAbortCommand) RequestAbort();
    event->ignore();
    return;
  }
  if (const Status written = WriteProgramSettings(ports_.place, state_.settings); !written) {
    ports_.dialogs.ShowMessage("The program settings could not be saved: " + written.failure().description);
  }
  if (const Status written = WriteRunOptions(ports_.place.programFolder, {CheckSkipExisting->isChecked()}); !written) {
    ports_.dialogs.ShowMessage("The run options could not be saved: " + written.failure().description);
  }
  KillProcesses(ports_.processes, kWatcherProgram);
  // The report, About and validation windows go with the main window.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) child->hide();
  }
  event->accept();
}

void Form1::Check1_Click(bool ticked) {
  if (ticked) {
    Text1->setText(QString::fromStdString(state_.settings.BatchlastExportToFolder));
  } else {
    Text1->clear();
  }
  state_.settings.BatchExportToFolder.assign(1, ticked ? '1' : '0');
}

void Form1::Text1_Change(const QString& text) {
  if (!text.isEmpty()) state_.settings.BatchlastExportToFolder = text.toStdString();
}

void Form1::Command13_Click() {
  FolderBrowser browser(ports_.dialogs);
  browser.Browse("");
  if (browser.ok()) Text1->setText(QString::fromStdString(browser.path()));
}

std::optional<std::string> Form1::ChooseIniFile(const QLineEdit& box) {
  const std::string current = box.text().toStdString();
  const FileRequest request{FileRequest::Purpose::Open, "Select INI-file", "INI Files (*.INI)|*.INI",
                            FileExists(current) ? FolderOfPath(current) : WithTrailingBackslash(ports_.place.programFolder),
                            current};
  std::optional<std::string> chosen = ports_.dialogs.ChooseFile(request);
  if (!chosen || chosen->empty()) return std::nullopt;
  return chosen;
}

void Form1::Command4_Click() {
  const auto chosen = ChooseIniFile(*Text2);
  if (!chosen) return;
  const std::string firstLine = ToUpperAscii(FirstLineOf(*chosen));
  const bool dwgOrDxf = IsDwgOrDxfExport(state_.exportCaption);
  const bool fits = firstLine == kTranslatorExportSection ? dwgOrDxf : firstLine == kExportOptionsSection && !dwgOrDxf;
  if (!fits) {
    ports_.dialogs.ShowMessage("File: " + *chosen + "\rIs not valid for that kind of export filetype");
    return;
  }
  Text2->setText(QString::fromStdString(*chosen));
}

void Form1::Command11_Click() {
  const auto chosen = ChooseIniFile(*Text4);
  if (!chosen) return;
  if (ToUpperAscii(FirstLineOf(*chosen)) != kImportSection) {
    ports_.dialogs.ShowMessage("File: " + *chosen + "\rIs not valid for that kind of import filetype");
    return;
  }
  Text4->setText(QString::fromStdString(*chosen));
}

void Form1::Command5_Click() {
  if (IsBlank(Text2->text())) {
    ports_.dialogs.ShowMessage(kNoIniFile);
    return;
  }
  ShowExportSettingsEditor();
}

void Form1::Command10_Click() {
  if (IsBlank(Text4->text())) {
    ports_.dialogs.ShowMessage(kNoIniFile);
    return;
  }
  ShowImportSettingsEditor();
}

void Form1::Command6_Click() {
  const std::string previous = Text3->text().toStdString();
  const FileRequest request{
      FileRequest::Purpose::Open, "Select IPJ file", "IPJ Files (*.ipj)|*.ipj",
      WithTrailingBackslash(HostProjectFolder(ports_.registry, state_.version.registryVersionTag)), previous};
  const std::optional<std::string> chosen = ports_.dialogs.ChooseFile(request);
  if (!chosen || chosen->empty()) {
    Text3->setText(QString::fromStdString(previous));
    return;
  }
  Text3->setText(QString::fromStdString(ResolveShortcut(*chosen)));
  projectFile_ = *chosen;
}

void Form1::Command7_Click() {
  KillProcesses(ports_.processes, kProjectEditor);
  const std::string editor = WithTrailingBackslash(state_.installFolder) + kProjectEditor;
  if (!FileExists(editor)) {
    ports_.dialogs.ShowMessage("Couldn't start Inventor Project Editor, IPJ.EXE not found in:\r" + state_.installFolder);
    return;
  }
  // The project goes over as one argument, so a path with blanks or quotes
  // arrives whole.
  std::vector<std::string> arguments;
  if (const std::string project = Text3->text().toStdString(); !project.empty()) arguments.push_back(project);
  const auto started = ports_.processes.Start(editor, arguments, StartStyle::Normal);
  if (!started) {
    ports_.dialogs.ShowMessage("Couldn't start Inventor Project Editor. Error:\r" + started.failure().description);
  }
}

void Form1::Command8_Click() {
  if (report_ != nullptr && report_->isVisible()) {
    report_->hide();
  } else {
    ExportReport& report = Report();
    report.show();
    PlaceReport(report);
  }
}

// The checks compare each document's project with the one the box shows.
void Form1::Command9_Click() {
  // A verification cannot be stopped half way; it runs to its end.
  BeginBusy(Abortable::No);
  VerificationPorts ports{ports_.connector, ports_.dialogs, pump_,
                          [this](const std::string& line) { log_.LogLine(line); },
                          [this] {
                            ClearReport();
                            Report().show();
                          }};
  (void)VerifyDocuments(ports, ListedFiles(), ToUpperAscii(ImportFilter()), Text3->text().toStdString());
  EndBusy();
}

void Form1::Command12_Click() {
  if (list_.IsEmpty()) return;
  ValidationReport validation;
  ValidationResult& window = ValidationWindow();
  // Each row shows while the next file is checked.
  ValidationResultPump events(window, validation, pump_);
  VerificationPorts ports{ports_.connector, ports_.dialogs, events,
                          [this](const std::string& line) { log_.LogLine(line); },
                          [&window, &validation] {
                            window.ShowReport(validation);
                            window.show();
                          }};
  BeginBusy(Abortable::No);
  (void)ValidateDocumentsReport(ports, validation, ListedFiles(), ToUpperAscii(ImportFilter()),
                                Text3->text().toStdString());
  if (validation_ != nullptr) validation_->ShowReport(validation);
  EndBusy();
}

void Form1::BeginBusy(Abortable abortable) {
  busy_ = true;
  UpdateKeepOnlyFailed();
  if (abortable == Abortable::Yes) ShowCommandPanel(kAbortCommand);
  List1->SetTakesDrops(false);
  for (QWidget* control : std::initializer_list<QWidget*>{
           Combo1, Combo2, FolderTreeview1, File1, AddOne, AddMany, RemoveOne, RemoveMany, Check1, Text1, Command13,
           Text2, Command4, Command5, Text4, Command11, Command10, Text3, Command6, Command7, Check2, Check3,
           CheckSkipExisting, Command9, Command12}) {
    control->setProperty("enabledWhenIdle", control->isEnabled());
    control->setEnabled(false);
  }
}

void Form1::EndBusy() {
  for (QWidget* control : findChildren<QWidget*>()) {
    const QVariant enabled = control->property("enabledWhenIdle");
    if (!enabled.isValid()) continue;
    control->setEnabled(enabled.toBool());
    control->setProperty("enabledWhenIdle", QVariant());
  }
  List1->SetTakesDrops(true);
  ShowCommandPanel(kExportCommand);
  busy_ = false;
  UpdateKeepOnlyFailed();
  if (closeWhenIdle_) {
    closeWhenIdle_ = false;
    close();
  }
}

}  // namespace korrin
