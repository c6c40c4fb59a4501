#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "MainWindowFixture.h"
#include "Screenshots.h"
#include "frontend/StartUpSteps.h"
#include "host/HostInstallation.h"
#include "ui/ExportFolderBox.h"
#include "ui/FolderTree.h"
#include "ui/SourceFilePanel.h"

namespace korrin::testing {
namespace {

using Form1StartTest = MainWindowFixture;

// What a control shows as its caption, whatever kind of control it is.
std::string CaptionOf(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title().toStdString();
  if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdString();
  return {};
}

TEST_F(Form1StartTest, ShowsEveryControlWithItsCaptionAndTooltip) {
  SaveSettings("BatchExportToFolder=0\r\n");
  ASSERT_TRUE(Load());
  const struct {
    const char* name;
    std::string caption;
    std::string toolTip;
  } controls[] = {
      {"Frame1", "Import from Format", ""},
      {"Combo2", "", "Export file type"},
      {"Frame2", "Output to  Format", ""},
      {"File1", "", "IDW-files in directory"},
      {"AddOne", ">", "Move selected files to export window"},
      {"AddMany", ">>", "Move all files to export window"},
      {"RemoveOne", "<", "Remove marked files from export window"},
      {"RemoveMany", "<<", "Remove all files from export window"},
      {"List1", "",
       "Select files from left windows, \"Drag'n drop\"  from Explorer or Explorer window or  \"Drag'n drop\" "
       "textfile with fileinformation"},
      {"Label2", "0 files", ""},
      {"Label9", "0/0 Selected", ""},
      {"Check1", "Export folder", "Enabled=For parts only. Disabled= As in Inventor Project File."},
      {"Text1", "", "Export directory"},
      {"Command13", "...", ""},
      {"Label10", "INI-File for EXPORT", ""},
      {"Text2", "", "INI-filename"},
      {"Command4", "...", "Select INI-file"},
      {"Command5", "Show/Edit INI-file", "Read DWG/DXF INI-File. Modify Korrin INI-File."},
      {"Label16", "INI-File for IMPORT", ""},
      {"Command11", "...", "Select INI-file"},
      {"Command10", "Show/Edit INI-file", "Read DWG ( MDT )  INI-File."},
      {"Label17", "Inventor Project", ""},
      {"Text3", "", "Inventor Project File used for export."},
      {"Command6", "...", "View / Select Inventor Project"},
      {"Command7", "Show/Edit Projectfile(s)", "Show Inventor Project. Modifications are possible."},
      {"Check2", "Print documents", "Print the document"},
      {"Check3", "Skip RefCheck", "Verify referenced files in IDW's"},
      {"Command9", "Verify IV Documents", ""},
      {"Command12", "ApprenticeReport", ""},
      {"Command8", "ViewReport", ""},
      {"ProgressBar1", "", "Progress in percent of total filesize"},
      {"Label14", "Progress:", ""},
      {"Label15", "0 %", ""},
      {"Label12", "Estimated time left", ""},
      {"Label13", "00:00:00", ""},
      {"Label8", "Final 1.0", ""},
      {"PrintFile", "Invisible", ""},
      {"Panel1", "Program Status", ""},
      {"Panel2", "Ready", ""},
      {"Panel3", "Export", ""},
      {"Panel4", "About", "About"},
      {"Panel5", "Exit", "Exit"},
  };
  for (const auto& control : controls) {
    auto* widget = Find<QWidget>(control.name);
    if (widget == nullptr) continue;
    if (!control.caption.empty()) {
      EXPECT_EQ(CaptionOf(widget), control.caption) << control.name;
    }
    EXPECT_EQ(widget->toolTip().toStdString(), control.toolTip) << control.name;
  }
  EXPECT_TRUE(Find<QCheckBox>("Check3")->isChecked());
  EXPECT_FALSE(Find<QLineEdit>("PrintFile")->isVisibleTo(&Form()));
  EXPECT_NE(Form().findChild<QStatusBar*>("StatusBar1"), nullptr);
}

TEST_F(Form1StartTest, FillsTheControlsFromTheSavedChoices) {
  SaveSettingsForParts();
  ASSERT_TRUE(Load());
  Form().show();
  EXPECT_EQ(Form().windowTitle().toStdString(), "Korrin for Inventor 7.0");
  EXPECT_EQ(Form().Combo1->currentText().toStdString(), "Inventor Part Files (*.IPT)");
  EXPECT_EQ(Form().Combo2->currentText().toStdString(), "STEP Files (*.STP)");
  const SourceFilePanel* files = Form().File1;
  EXPECT_EQ(files->folder().toStdString(), Sample("parts"));
  // The parts folder holds fifteen parts beside its backup folder.
  EXPECT_EQ(files->count(), 15);
  EXPECT_EQ(TextOf("Label1"), "15 files");
  EXPECT_EQ(TextOf("Label2"), "0 files");
  EXPECT_TRUE(Form().Check1->isChecked());
  EXPECT_EQ(Form().Text1->text().toStdString(), Out(""));
  EXPECT_EQ(Form().Text3->text().toStdString(), (folder_ / "host" / "Projects" / "default.ipj").string());
  EXPECT_EQ(Form().Text2->text().toStdString(), (folder_ / "home" / "KorrinExportTemplate.INI").string());
  EXPECT_TRUE(Form().Check2->isEnabled());
  EXPECT_FALSE(Form().Check2->isChecked());
  EXPECT_EQ(TextOf("Panel2"), "Ready");
  // The tree shows the saved folder once the window has its size.
  const FolderTree& tree = *Form().FolderTreeview1;
  EXPECT_EQ(tree.SelectedFolder().toStdString(), Sample("parts"));
  const auto shown = [&] { return tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex()).center()); };
  for (int round = 0; round < 500 && !shown(); ++round) QTest::qWait(10);
  EXPECT_TRUE(shown());
  EXPECT_TRUE(SaveScreenshot(Form(), "Form1-loaded"));
}

TEST_F(Form1StartTest, ASavedFilterInAnotherCaseChoosesNoFormat) {
  SaveSettings("BatchLastImportFilter=*.ipt\r\nBatchExportToFolder=0\r\n");
  ASSERT_TRUE(Load());
  EXPECT_EQ(Form().Combo1->currentIndex(), -1);
  EXPECT_EQ(Form().Combo2->count(), 0);
  EXPECT_FALSE(Form().Check1->isChecked());
  EXPECT_TRUE(Form().Text1->text().isEmpty());
}

TEST_F(Form1StartTest, EndsBeforeTheWindowShowsWhenNoHostIsInstalled) {
  fs::remove_all(folder_ / "host" / "registry");
  dialogs_.ExpectMessage("Sorry, Inventor is not detected on this machine");
  EXPECT_FALSE(Load());
  // The controls were never filled.
  EXPECT_EQ(Form().windowTitle().toStdString(), "Korrin");
}

TEST_F(Form1StartTest, EndsBeforeTheWindowShowsWhenTheHostIsTooOld) {
  {
    SqliteRegistry registry((folder_ / "host" / "registry").string());
    ASSERT_TRUE(registry.WriteRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion",
                                            std::string("RegistryVersion5.0")));
  }
  // The old host's reader cannot read the self-test document either; the
  // start goes on past that and ends at the version.
  dialogs_.ExpectMessage(ApprenticeFailureMessage("\"" + (folder_ / "home" / "logo.ipt").string() +
                                                  "\" was saved by a newer release (7.0) than this reader reads."));
  dialogs_.ExpectMessage(
      "Sorry, the program uses Inventor API routines that's only implemented from version 5.3\rThe actual version in "
      "the registrydatabase is Inventor 5.0\rStart Inventor in a later version and try again...");
  EXPECT_FALSE(Load());
  // The controls were never filled.
  EXPECT_EQ(Form().windowTitle().toStdString(), "Korrin");
}

TEST_F(Form1StartTest, EndsBeforeTheWindowShowsWhenTheHostCannotBePrepared) {
  // Two hosts running, and the user will not have them shut down.
  systemProcesses_.processes = {{101, "Inventor.exe"}, {102, "Inventor.exe"}};
  dialogs_.ExpectYesNo(
      "More active instances of Inventor has been detected ( 2 )\rKorrin must shut down these instances down to "
      "ensure correct functionality( Any documents will be closed without save )\rContinue ?",
      false);
  dialogs_.ExpectMessage("Inventor could not be prepared to start conversion properly");
  EXPECT_FALSE(Load());
  EXPECT_TRUE(systemProcesses_.terminated.empty());
}

TEST_F(Form1StartTest, GoesOnWithOneMessageWhenTheSelfTestDocumentIsMissing) {
  SaveSettingsForParts();
  fs::remove(folder_ / "home" / "logo.ipt");
  const std::string home = (folder_ / "home").string() + "/";
  dialogs_.ExpectMessage(ApprenticeFailureMessage(
      "Could not open: " + home +
      "logo.ipt to verify Apprenticeserver\rThis file should be present in the installationdirectory of Korrin\rYou "
      "may create a new file with this name ( logo.ipt ) and put it in this directory\r\rKorrin may still function "
      "properly though"));
  ASSERT_TRUE(Load());
  EXPECT_EQ(TextOf("Panel2"), "Ready");
  EXPECT_EQ(ApprenticeFailureMessage("x").rfind("Apprentice failed: x\r", 0), 0u);
}

}  // namespace
}  // namespace korrin::testing
