#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "MainWindowFixture.h"
#include "ModalWindows.h"
#include "Screenshots.h"
#include "ui/About.h"
#include "ui/ValidationResult.h"

namespace korrin::testing {
namespace {

constexpr const char* kNoIniFile =
    "Please select an INI-file for import\r\rYou may create an INI file from Inventor with the settings You prefer";

class Form1CommandsTest : public MainWindowFixture {
 protected:
  std::string Settings(const std::string& name) const { return (folder_ / "host" / "Translator Settings" / name).string(); }
  std::string Home(const std::string& name) const { return (folder_ / "home" / name).string(); }

  // Drawings to DWG, with the host's translator settings files last chosen.
  void LoadForDrawings() {
    SaveSettings("BatchLastFolder=" + Sample("drawings") + "\r\nBatchExportToFolder=0\r\nBatchLastImportFilter=*.IDW\r\n" +
                 "BatchLastExportFilter=*.DWG\r\nBatchLastExportDWGFile=" + Settings("dwgout.ini") +
                 "\r\nBatchLastExportDXFFile=" + Settings("dxfout.ini") + "\r\nBatchLastImportDWGFile=" +
                 Settings("dwgin.ini") + "\r\n");
    ASSERT_TRUE(Load());
    Form().show();
  }

  FileRequest IniRequest(const std::string& current) const {
    return {FileRequest::Purpose::Open, "Select INI-file", "INI Files (*.INI)|*.INI",
            std::filesystem::path(current).parent_path().string() + "/", current};
  }
};

TEST_F(Form1CommandsTest, TheSettingsFileChoosersCheckTheFirstLine) {
  LoadForDrawings();
  EXPECT_EQ(Form().Text2->text().toStdString(), Settings("dwgout.ini"));
  EXPECT_EQ(Form().Text4->text().toStdString(), Settings("dwgin.ini"));

  // The program's own export options do not suit a DWG export.
  dialogs_.ExpectFile(IniRequest(Settings("dwgout.ini")), Home("KorrinExportTemplate.INI"));
  dialogs_.ExpectMessage("File: " + Home("KorrinExportTemplate.INI") + "\rIs not valid for that kind of export filetype");
  QTest::mouseClick(Form().Command4, Qt::LeftButton);
  EXPECT_EQ(Form().Text2->text().toStdString(), Settings("dwgout.ini"));

  folder_.Write("mine.ini", "[Export Select Options]\r\nAUTOCAD VERSION=R14\r\n");
  dialogs_.ExpectFile(IniRequest(Settings("dwgout.ini")), (folder_ / "mine.ini").string());
  QTest::mouseClick(Form().Command4, Qt::LeftButton);
  EXPECT_EQ(Form().Text2->text().toStdString(), (folder_ / "mine.ini").string());
  EXPECT_EQ(Form().settings().BatchLastExportDWGFile, (folder_ / "mine.ini").string());

  // Cancel leaves the box as it was.
  dialogs_.ExpectFile(IniRequest((folder_ / "mine.ini").string()), std::nullopt);
  QTest::mouseClick(Form().Command4, Qt::LeftButton);
  EXPECT_EQ(Form().Text2->text().toStdString(), (folder_ / "mine.ini").string());

  // Another export format brings its own last file, without asking.
  Choose(Form().Combo2, "AutoCAD DXF Files (*.DXF)");
  EXPECT_EQ(Form().Text2->text().toStdString(), Settings("dxfout.ini"));

  folder_.Write("import.ini", "[import file type]\r\n");
  dialogs_.ExpectFile(IniRequest(Settings("dwgin.ini")), (folder_ / "import.ini").string());
  QTest::mouseClick(Form().Command11, Qt::LeftButton);
  EXPECT_EQ(Form().Text4->text().toStdString(), (folder_ / "import.ini").string());
  EXPECT_EQ(Form().settings().BatchLastImportDWGFile, (folder_ / "import.ini").string());

  dialogs_.ExpectFile(IniRequest((folder_ / "import.ini").string()), (folder_ / "mine.ini").string());
  dialogs_.ExpectMessage("File: " + (folder_ / "mine.ini").string() + "\rIs not valid for that kind of import filetype");
  QTest::mouseClick(Form().Command11, Qt::LeftButton);
  EXPECT_EQ(Form().Text4->text().toStdString(), (folder_ / "import.ini").string());
}

TEST_F(Form1CommandsTest, ShowEditOpensTheEditorOfTheSettingsFile) {
  LoadForDrawings();
  std::string caption;
  int rows = 0;
  WhenModalOpens([&](QDialog& editor) {
    caption = editor.windowTitle().toStdString();
    rows = editor.findChild<QTreeWidget*>("ListView1")->topLevelItemCount();
    // A DWG export's settings: the AutoCAD setup is offered.
    EXPECT_FALSE(editor.findChild<QPushButton*>("cmdAcadSetup")->isHidden());
  });
  QTest::mouseClick(Form().Command5, Qt::LeftButton);
  EXPECT_EQ(caption, Settings("dwgout.ini"));
  EXPECT_GT(rows, 1);

  caption.clear();
  WhenModalOpens([&](QDialog& editor) { caption = editor.windowTitle().toStdString(); });
  QTest::mouseClick(Form().Command10, Qt::LeftButton);
  EXPECT_EQ(caption, Settings("dwgin.ini"));

  Form().Text4->setText("  ");
  dialogs_.ExpectMessage(kNoIniFile);
  QTest::mouseClick(Form().Command10, Qt::LeftButton);
  Form().Text2->clear();
  dialogs_.ExpectMessage(kNoIniFile);
  QTest::mouseClick(Form().Command5, Qt::LeftButton);
}

TEST_F(Form1CommandsTest, ShowEditOpensTheExportSettingsOnTheFormatsTab) {
  SaveSettingsForParts();
  ASSERT_TRUE(Load());
  for (const auto& [format, tab] : {std::pair{"STEP Files (*.STP)", "STP"}, std::pair{"Iges Files (*.IGS)", "IGS"}}) {
    Choose(Form().Combo2, format);
    std::string shown;
    WhenModalOpens([&](QDialog& window) {
      const QTabBar* tabs = window.findChild<QTabBar*>("TabStrip1");
      shown = tabs->tabText(tabs->currentIndex()).toStdString();
    });
    QTest::mouseClick(Form().Command5, Qt::LeftButton);
    EXPECT_EQ(shown, tab) << format;
  }
}

// What a test saw of the export settings window while it was open.
struct ExportSettingsSeen {
  int tab = -1;
  bool printerSupported = true;
  std::string imageWidth;
};

TEST_F(Form1CommandsTest, ClosingTheExportSettingsUnloadsThemSoTheNextOpeningStartsAfresh) {
  SaveSettingsForParts();
  ASSERT_TRUE(Load());
  // STEP files to assemblies: the format names no tab, so a fresh window
  // shows its first one.
  Choose(Form().Combo1, "STEP Files (*.STP)");
  Choose(Form().Combo2, "Inventor Assemblyfile (*.IAM)");
  const auto open = [this](const std::function<void(QDialog&)>& act) {
    ExportSettingsSeen seen;
    WhenModalOpens([&](QDialog& window) {
      auto* tabs = window.findChild<QTabBar*>("TabStrip1");
      seen.tab = tabs->currentIndex();
      seen.printerSupported = window.findChild<QCheckBox*>("ShowPrinterSupported")->isChecked();
      seen.imageWidth = window.findChild<QLineEdit*>("ImageWidth")->text().toStdString();
      act(window);
    });
    QTest::mouseClick(Form().Command5, Qt::LeftButton);
    return seen;
  };
  const auto clickButton = [](const char* name) {
    return [name](QDialog& window) { window.findChild<QPushButton*>(name)->click(); };
  };
  const std::pair<const char*, std::function<void(QDialog&)>> closings[] = {
      {"Cancel and Exit", clickButton("CancelAndExit")},
      {"Escape", [](QDialog& window) { QTest::keyClick(&window, Qt::Key_Escape); }},
      {"Apply and Exit.", clickButton("ApplyAndExit")},
  };
  for (const auto& [closing, close] : closings) {
    const ExportSettingsSeen first = open([&](QDialog& window) {
      window.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(5);
      window.findChild<QCheckBox*>("ShowPrinterSupported")->click();
      window.findChild<QLineEdit*>("ImageWidth")->setText("77");
      EXPECT_TRUE(SaveScreenshot(window, "Exportsettings-BeforeUnloading"));
      close(window);
      EXPECT_FALSE(window.isVisible()) << closing;
    });
    EXPECT_EQ(first.tab, 0) << closing;
    const ExportSettingsSeen second = open([](QDialog&) {});
    EXPECT_EQ(second.tab, 0) << closing;
    EXPECT_FALSE(second.printerSupported) << closing;
    // Only "Apply and Exit." put the typed width into the template.
    EXPECT_EQ(second.imageWidth, std::string(closing) == "Apply and Exit." ? "77" : "0") << closing;
  }
}

TEST_F(Form1CommandsTest, TheProjectCommands) {
  SaveSettingsForParts();
  ASSERT_TRUE(Load());
  const std::string project = Form().Text3->text().toStdString();
  const std::string projects = (folder_ / "host" / "Projects").string() + "/";
  dialogs_.ExpectFile({FileRequest::Purpose::Open, "Select IPJ file", "IPJ Files (*.ipj)|*.ipj", projects, project},
                      std::nullopt);
  QTest::mouseClick(Form().Command6, Qt::LeftButton);
  EXPECT_EQ(Form().Text3->text().toStdString(), project);

  dialogs_.ExpectFile({FileRequest::Purpose::Open, "Select IPJ file", "IPJ Files (*.ipj)|*.ipj", projects, project},
                      projects + "Samples.ipj");
  QTest::mouseClick(Form().Command6, Qt::LeftButton);
  EXPECT_EQ(Form().Text3->text().toStdString(), projects + "Samples.ipj");

  // The host has no project editor here.
  const std::string install = (folder_ / "host" / "Inventor" / "Bin").string() + "/";
  dialogs_.ExpectMessage("Couldn't start Inventor Project Editor, IPJ.EXE not found in:\r" + install);
  QTest::mouseClick(Form().Command7, Qt::LeftButton);

  // The project goes over whole, blanks and all, as one argument.
  folder_.Write("host/Inventor/Bin/ipj.exe", "");
  Form().Text3->setText("/p/my \"big\" project.ipj");
  QTest::mouseClick(Form().Command7, Qt::LeftButton);
  ASSERT_EQ(systemProcesses_.starts.size(), 1u);
  EXPECT_EQ(systemProcesses_.starts[0].program, install + "ipj.exe");
  EXPECT_EQ(systemProcesses_.starts[0].arguments, Lines{"/p/my \"big\" project.ipj"});
}

TEST_F(Form1CommandsTest, TheReportAboutAndValidationCommands) {
  SaveSettingsForParts();
  ASSERT_TRUE(Load());
  Form().show();

  ClickPanel(4);
  auto* about = Form().findChild<About*>();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->findChild<QLabel*>("Label5")->text().toStdString(), "1.0");
  EXPECT_TRUE(SaveScreenshot(*about, "About-from-Form1"));

  QTest::mouseClick(Form().Command8, Qt::LeftButton);
  ASSERT_NE(Form().report(), nullptr);
  EXPECT_TRUE(Form().report()->isVisible());
  QTest::mouseClick(Form().Command8, Qt::LeftButton);
  EXPECT_FALSE(Form().report()->isVisible());

  // Nothing listed: nothing to validate.
  QTest::mouseClick(Form().Command12, Qt::LeftButton);
  EXPECT_EQ(Form().validation(), nullptr);

  const Lines files = {Sample("verify/status-up-to-date.ipt"), Sample("verify/status-in-error.ipt"),
                       Sample("verify/needs-migrating.ipt")};
  DropFiles(files);
  QTest::mouseClick(Form().Command12, Qt::LeftButton);
  ValidationResult* window = Form().validation();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  // The rows in list order: the document, its release, a "*" per finding.
  const QTreeWidget* rows = window->findChild<QTreeWidget*>("ListView1");
  ASSERT_EQ(rows->topLevelItemCount(), 3);
  const std::vector<Lines> expected = {
      {Sample("verify/needs-migrating.ipt"), "6.0", "-", "-", "-", "-", "-", "-", "*"},
      {Sample("verify/status-in-error.ipt"), "7.0", "-", "-", "-", "*", "-", "-", "-"},
      {Sample("verify/status-up-to-date.ipt"), "7.0", "-", "-", "-", "-", "-", "-", "-"}};
  for (int row = 0; row < 3; ++row) {
    Lines cells;
    for (int column = 0; column < 9; ++column) cells.push_back(rows->topLevelItem(row)->text(column).toStdString());
    EXPECT_EQ(cells, expected[static_cast<std::size_t>(row)]) << row;
  }
  EXPECT_EQ(window->findChild<QLabel*>("Panel2")->text().toStdString(), "Validation finished");
  EXPECT_TRUE(SaveScreenshot(*window, "ValidationResult-from-Form1"));

  // Verification writes each file's state into the report, which it shows.
  // It runs to its end: meanwhile the Export panel neither starts a run nor
  // aborts, and Escape does nothing.
  bool seenBusy = false;
  QTimer during;
  QObject::connect(&during, &QTimer::timeout, [&] {
    if (!Form().IsBusy()) return;
    during.stop();
    seenBusy = true;
    EXPECT_EQ(TextOf("Panel3"), "Export");
    ClickPanel(3);
    QTest::keyClick(&Form(), Qt::Key_Escape);
  });
  during.start(0);
  QTest::qWait(20);  // the window's events have had their turn a while ago
  QTest::mouseClick(Form().Command9, Qt::LeftButton);
  during.stop();
  EXPECT_TRUE(seenBusy);
  ASSERT_NE(Form().report(), nullptr);
  EXPECT_TRUE(Form().report()->isVisible());
  const Lines lines = Form().report()->Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "Verification finished");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Aborting..."), 0);
  EXPECT_EQ(TextOf("Panel3"), "Export");
}

}  // namespace
}  // namespace korrin::testing
