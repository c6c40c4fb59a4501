#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "Screenshots.h"
#include "settings/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/About.h"
#include "ui/ExportReport.h"
#include "ui/FolderBrowser.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

class ExportReportTest : public ::testing::Test {
 protected:
  ExportReportTest() {
    report_.AddLine("Checking Inventor Application, Export Formats and Settings");
    report_.AddLine("Opening: /in/a.ipt");
    report_.AddLine("Ready");
    report_.show();
  }

  QLabel* Panel(int number) { return report_.findChild<QLabel*>(QString("Panel%1").arg(number)); }
  void Click(int number) {
    QLabel* panel = Panel(number);
    ASSERT_NE(panel, nullptr) << number;
    QTest::mouseClick(panel, Qt::LeftButton);
  }
  FileRequest SaveRequest() const {
    return {FileRequest::Purpose::Save, "Select Report file", "TXT Files (*.TXT)|*.TXT", "", "/opt/korrin/Report.txt"};
  }

  testing::TemporaryFolder folder_;
  testing::ScriptedDialogs dialogs_;
  Lines printed_;
  bool printerChosen_ = true;
  ExportReport report_{dialogs_, "/opt/korrin", [this](const Lines& lines, QWidget*) {
                         if (printerChosen_) printed_ = lines;
                         return printerChosen_;
                       }};
  QSignalSpy unloaded_{&report_, &ExportReport::unloaded};
};

TEST_F(ExportReportTest, ShowsTheLogWithItsThreeCommands) {
  EXPECT_EQ(report_.windowTitle(), "Export Report");
  auto* list = report_.findChild<QListWidget*>("List1");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 3);
  ASSERT_NE(report_.findChild<QStatusBar*>("StatusBar1"), nullptr);
  const char* captions[] = {"Print Report", "Save Report", "Close"};
  for (int number = 1; number <= 3; ++number) {
    ASSERT_NE(Panel(number), nullptr);
    EXPECT_EQ(Panel(number)->text(), captions[number - 1]);
    EXPECT_EQ(Panel(number)->toolTip(), captions[number - 1]);
  }
  EXPECT_TRUE(testing::SaveScreenshot(report_, "ExportReport"));
}

TEST_F(ExportReportTest, PrintingLeavesTheWindowOpenAndACancelPrintsNothing) {
  Click(1);
  EXPECT_EQ(printed_, report_.Lines());
  printed_.clear();
  printerChosen_ = false;
  Click(1);
  EXPECT_TRUE(printed_.empty());
  EXPECT_TRUE(report_.isVisible());
  EXPECT_EQ(unloaded_.count(), 0);
}

TEST_F(ExportReportTest, SavingWritesEveryLineAndUnloadsACancelKeepsIt) {
  dialogs_.ExpectFile(SaveRequest(), std::nullopt).ExpectFile(SaveRequest(), "");
  Click(2);
  Click(2);
  EXPECT_TRUE(report_.isVisible());
  EXPECT_EQ(unloaded_.count(), 0);

  const std::string file = (folder_ / "run.txt").string();
  dialogs_.ExpectFile(SaveRequest(), file);
  Click(2);
  EXPECT_EQ(folder_.Read("run.txt"),
            "Checking Inventor Application, Export Formats and Settings\r\nOpening: /in/a.ipt\r\nReady\r\n");
  EXPECT_FALSE(report_.isVisible());
  EXPECT_EQ(unloaded_.count(), 1);
}

TEST_F(ExportReportTest, AReportThatCannotBeWrittenIsSaidAndKept) {
  const std::string file = (folder_ / "missing" / "run.txt").string();
  const Status failed = WriteTextFile(file, {"x"});
  ASSERT_FALSE(failed.ok());
  dialogs_.ExpectFile(SaveRequest(), file).ExpectMessage("The report could not be saved: " + failed.failure().description);
  Click(2);
  EXPECT_TRUE(report_.isVisible());
  EXPECT_EQ(report_.Lines().size(), 3u);
  EXPECT_EQ(unloaded_.count(), 0);
}

TEST_F(ExportReportTest, CloseAndEscapeUnloadOtherKeysDoNot) {
  QTest::keyClick(&report_, Qt::Key_Down);
  EXPECT_TRUE(report_.isVisible());
  EXPECT_EQ(unloaded_.count(), 0);
  QTest::keyClick(&report_, Qt::Key_Escape);
  EXPECT_FALSE(report_.isVisible());
  EXPECT_EQ(unloaded_.count(), 1);
  report_.show();
  Click(3);
  EXPECT_FALSE(report_.isVisible());
  EXPECT_EQ(unloaded_.count(), 2);
}

TEST(AboutTest, ShowsTheProductTheReleaseAndTheHelpTextExactly) {
  About about;
  about.ShowRelease("1.0");
  EXPECT_EQ(about.windowTitle(), "About");
  const std::pair<const char*, const char*> labels[] = {
      {"Label1", "Autodesk Inventor"}, {"Label2", "Korrin"}, {"Label4", "Release"}, {"Label5", "1.0"}};
  for (const auto& [name, text] : labels) {
    auto* label = about.findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text().toStdString(), text) << name;
  }
  auto* help = about.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isReadOnly());
  const QStringList lines = help->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 19);
  EXPECT_EQ(lines[3].toStdString(),
            "Drag files/folders from Explorer to the right panel. Files not having the extension used in \"Import "
            "from Format\" are filtered.");
  EXPECT_EQ(lines[12].toStdString(),
            "It's possible to select a specific export-directory. If not specified, the exported files are placed "
            "in the same directory ");
  EXPECT_EQ(lines[13].toStdString(), "as ");
  EXPECT_EQ(lines[18].toStdString(), "part/assembly) and use this for export.");
  EXPECT_TRUE(testing::SaveScreenshot(about, "About"));
}

TEST(FolderBrowserTest, OnlyAConfirmedFolderSetsTheOkSwitch) {
  testing::ScriptedDialogs dialogs;
  FolderBrowser browser(dialogs);
  EXPECT_EQ(browser.Flags(), 0x21u);
  browser.SetOption(FolderBrowser::EditBox, true);
  browser.SetOption(FolderBrowser::Validate, false);
  EXPECT_EQ(browser.Flags(), 0x11u);
  browser.ResetOptions();
  EXPECT_EQ(browser.Flags(), 0x21u);

  dialogs.ExpectFolder("", "/data/out").ExpectFolder("", std::nullopt);
  browser.Browse("");
  EXPECT_TRUE(browser.ok());
  EXPECT_EQ(browser.path(), "/data/out");
  browser.Browse("");
  EXPECT_FALSE(browser.ok()) << "a cancelled browse leaves the switch clear";
}

}  // namespace
}  // namespace korrin
