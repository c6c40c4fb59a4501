#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/AcadTemplateSetup.h"
#include "engine/BatchRun.h"
#include "engine/HostWait.h"
#include "engine/RunLog.h"
#include "engine/RunView.h"
#include "filelist/ConversionList.h"
#include "filelist/FileList.h"
#include "filelist/FileListView.h"
#include "frontend/ProgramStart.h"
#include "frontend/RunLogFiles.h"
#include "ports/AbortFlag.h"
#include "ui/ExportReport.h"
#include "ui/QtEventPump.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace korrin {

class About;
class AutoCADSetup;
class Exportsettings;
class Form6;
class ValidationResult;
class ConversionListModel;
class ConversionListView;
class ExportFolderBox;
class FolderTree;
class SourceFilePanel;

// What the main window works with besides its own controls.
struct Form1Ports {
  Registry& registry;
  host::HostConnector& connector;
  ProcessTable& processes;
  const Printers& printers;
  Dialogs& dialogs;
  ProgramPlace place;
  std::string acadTemplateFolder;  // empty: the site's built-in folder
  WindowLink* watcher = nullptr;   // the watcher's window, when one is reachable
  HostWaitLimit waitLimit = {};
  ExportReport::ReportPrinter reportPrinter = {};  // default: the platform's print dialog
  host::CallDeadlines callDeadlines = {};
  // Where every run's log is kept as a file; empty keeps none.
  std::filesystem::path runLogFolder = {};
};

// The main window: the source folder and its files, the conversion list,
// the formats and settings of a run, its progress, and the commands of the
// status bar. Loading it brings the program up; closing it ends it.
//
// A run, a folder walk and an add operation run inside the handler that
// started them and let the window's events run between steps; meanwhile the
// controls that would change the list or the run's fields are disabled, and
// the Export panel reads "Abort".
class Form1 final : public QMainWindow, public FileListView, public RunView {
  Q_OBJECT
 public:
  explicit Form1(Form1Ports ports, QWidget* parent = nullptr);
  ~Form1() override;

  // The load step, before the window shows: false when the program must
  // end; the user was told why.
  bool Load();

  // A click on a status bar panel, by its number 1 to 5.
  void ClickStatusPanel(int number);

  const ConversionList& list() const { return list_; }
  const ProgramSettings& settings() const { return state_.settings; }
  AcadTemplateSetup& acadSetup() { return acadSetup_; }
  // The run report window while it holds lines; none once it was unloaded.
  ExportReport* report() const { return report_; }
  // The validation report window while it is loaded.
  ValidationResult* validation() const;
  bool IsBusy() const { return busy_; }

  // FileListView and the export choice's fields.
  void ShowListCount(const std::string& text) override;
  void ShowSelectionCount(const std::string& text) override;
  std::size_t SelectedEntryCount() const override;
  void ShowCommandPanel(const std::string& text) override;
  void ShowImportChoice(std::size_t index) override;
  void SetSourcePattern(const std::string& pattern) override;
  void ShowExportFormats(const std::vector<std::string>& captions) override;
  void EnableVerify() override;
  void SetExportSettingsFile(const std::string& path) override;
  void SetImportSettingsFile(const std::string& path) override;
  void SetPrintDocuments(bool enabled, bool ticked) override;

  // RunView: the run log goes to the report window and the status text.
  void AppendLogLine(const std::string& line) override;
  void ShowStatusText(const std::string& text) override;
  void ShowFileCounter(const std::string& text) override;
  void ShowProgress(int barValue, const std::string& percentText, const std::string& timeLeftText) override;
  void SelectEntry(std::size_t row) override;
  void DeselectEntry(std::size_t row) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window.
  void CreateControls();
  QWidget* CreateSourceSide();
  QWidget* CreateListSide();
  QWidget* CreateSetupFrame();
  QWidget* CreateProgressArea();
  void CreateStatusBar();
  void ConnectControls();

  // Loading: the fields from the saved choices.
  void ShowLoadedState();

  // The file list and the format boxes.
  void AddOne_Click();
  void AddMany_Click();
  void RemoveOne_Click();
  void RemoveMany_Click();
  void Combo1_Click(int index);
  void Combo2_Click(int index);
  void FolderTreeview1_FolderClick(const QString& path);
  void List1_Drop(const QList<QUrl>& files, const QString& treeFolder);
  void DropFromOutside(const QList<QUrl>& files);
  void DropTreeFolder(const QString& folder);
  void UpdateSourceCount();
  std::string ImportFilter() const;

  // The commands.
  void ExportPanel_Click();
  void RequestAbort();
  void Check1_Click(bool ticked);
  void Text1_Change(const QString& text);
  void Command13_Click();
  void Command4_Click();
  void Command11_Click();
  void Command5_Click();
  void Command10_Click();
  void Command6_Click();
  void Command7_Click();
  void Command8_Click();
  void Command9_Click();
  void Command12_Click();
  std::optional<std::string> ChooseIniFile(const QLineEdit& box);
  // The editor windows of the settings files and the validation report.
  void ShowExportSettingsEditor();
  void ShowImportSettingsEditor();
  std::unique_ptr<Form6> CreateSettingsEditor();
  std::unique_ptr<Exportsettings> CreateExportSettingsWindow();
  AutoCADSetup& AcadSetupWindow();
  ValidationResult& ValidationWindow();
  // The AutoCAD setup follows the export format: its lineweight switch is
  // offered for DWG exports only.
  void ExportPatternChanged();

  // The run.
  void StartExport();
  RunInputs Inputs() const;
  void ShowExportFolderAsRun(const std::string& folder);
  ExportReport& Report();
  void ClearReport();
  void ShowReportAtEnd();
  // Opens the report beside the window, on its screen, clear of the
  // Export/Abort panel.
  void PlaceReport(ExportReport& report);
  // The run's log kept on disk, line by line.
  void OpenRunLog();
  void KeepRunLogLine(const std::string& line);
  // What the run made of each entry: the list's marks, the counts in the
  // status bar and the failures' reasons in the report.
  void ShowOutcomes(const RunResult& result);
  void KeepOnlyFailed_Click();
  void UpdateKeepOnlyFailed();
  std::vector<std::string> ListedFiles() const;

  // While an operation works through the list, the controls that would
  // change it or the run's fields are disabled; one that can be aborted
  // turns the Export panel into Abort, which Escape also raises.
  enum class Abortable { Yes, No };
  void BeginBusy(Abortable abortable = Abortable::Yes);
  void EndBusy();

  Form1Ports ports_;
  QtEventPump pump_;
  RunLog log_{*this, pump_};
  AbortFlag abort_;
  ProgramState state_;
  ConversionList list_;
  std::unique_ptr<FileList> fileList_;
  AcadTemplateSetup acadSetup_;
  std::string projectFile_;  // as chosen; the box shows a shortcut's target
  bool busy_ = false;
  bool closeWhenIdle_ = false;
  QPointer<ExportReport> report_;
  QPointer<About> about_;
  QPointer<AutoCADSetup> acadWindow_;
  QPointer<ValidationResult> validation_;
  std::unique_ptr<RunLogFile> runLog_;
  QString runLogText_;  // what the report's status bar says of the run's log file

 public:
  // The controls, named as the program names them.
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo2 = nullptr;
  FolderTree* FolderTreeview1 = nullptr;
  SourceFilePanel* File1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* AddOne = nullptr;
  QPushButton* AddMany = nullptr;
  QPushButton* RemoveOne = nullptr;
  QPushButton* RemoveMany = nullptr;
  ConversionListView* List1 = nullptr;
  ConversionListModel* List1Model = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label9 = nullptr;
  QCheckBox* Check1 = nullptr;
  ExportFolderBox* Text1 = nullptr;
  QPushButton* Command13 = nullptr;
  QLabel* Label10 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QLabel* Label16 = nullptr;
  QLineEdit* Text4 = nullptr;
  QPushButton* Command11 = nullptr;
  QPushButton* Command10 = nullptr;
  QLabel* Label17 = nullptr;
  QLineEdit* Text3 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command7 = nullptr;
  QCheckBox* Check2 = nullptr;
  QCheckBox* Check3 = nullptr;
  // Kept in the run options file, not in Korrin.ini.
  QCheckBox* CheckSkipExisting = nullptr;
  QPushButton* Command9 = nullptr;
  QPushButton* Command12 = nullptr;
  QPushButton* Command8 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* PrintFile = nullptr;
  QLabel* StatusPanels[5] = {};
  QLabel* RunCounts = nullptr;
  QAction* KeepOnlyFailed = nullptr;
};

}  // namespace korrin
