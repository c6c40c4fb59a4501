#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "Screenshots.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/CommandPanel.h"
#include "ui/Form6.h"

namespace korrin {
namespace {

constexpr const char* kSettings =
    "[EXPORT SELECT OPTIONS]\r\n"
    "AUTOCAD VERSION=AutoCAD 2000\r\n"
    "DESTINATION 2D DATA=New Drawing\r\n"
    "FILE UNITS=Millimeters\r\n"
    "TRANSLATION TYPE=Translate Body Only\r\n"
    "UNSUPPORTED PART FEATURES=Translate Body Only\r\n"
    "PACK AND GO=no\r\n"
    "AUTOCAD TEMPLATE=/cad/acad/iso.dwt\r\n"
    "DESTINATION DIRECTORY=/out\r\n"
    "PART TEMPLATE=Standard.ipt\r\n"
    "ASSEMBLY TEMPLATE=Standard.iam\r\n"
    "DRAWING TEMPLATE=Standard.idw\r\n"
    "PATH=a=b\r\n"
    "SCALE=1.0\r\n"
    "\r\n"
    "[IMPORT FILE TYPE]\r\n";

// Records what the input box was asked, beside the script that answers it.
class InputBoxRecorder final : public Dialogs {
 public:
  explicit InputBoxRecorder(Dialogs& inner) : inner_(inner) {}
  void ShowMessage(const std::string& text) override { inner_.ShowMessage(text); }
  bool AskYesNo(const std::string& text) override { return inner_.AskYesNo(text); }
  bool AskOkCancel(const std::string& text) override { return inner_.AskOkCancel(text); }
  std::optional<std::string> ChooseFile(const FileRequest& request) override { return inner_.ChooseFile(request); }
  std::optional<std::string> BrowseForFolder(const std::string& title) override {
    return inner_.BrowseForFolder(title);
  }
  std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override {
    asked.push_back({title, defaultText});
    return inner_.AskText(prompt, title, defaultText);
  }
  std::vector<std::pair<std::string, std::string>> asked;  // title and default text

 private:
  Dialogs& inner_;
};

class Form6Test : public ::testing::Test {
 protected:
  Form6Test() {
    folder_.Write("acad.ini", kSettings);
    editor_.show();
  }

  std::string Path() const { return (folder_ / "acad.ini").string(); }
  void Load() {
    ASSERT_TRUE(editor_.LoadSettingsList(Path()));
    editor_.setWindowTitle(QString::fromStdString(Path()));
  }
  QTreeWidget& List() { return *editor_.findChild<QTreeWidget*>("ListView1"); }
  QTreeWidgetItem* Row(const std::string& name) {
    const auto found = List().findItems(QString::fromStdString(name), Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
  }
  std::string Value(const std::string& name) { return Row(name)->text(1).toStdString(); }
  QPoint Centre(const std::string& name) { return List().visualItemRect(Row(name)).center(); }
  void DoubleClick(const std::string& name) {
    ASSERT_NE(Row(name), nullptr) << name;
    List().scrollToItem(Row(name));
    // A user's double click starts with a click that selects the row.
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, Centre(name));
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, Centre(name));
  }
  void RightClick(const std::string& name) {
    ASSERT_NE(Row(name), nullptr) << name;
    List().scrollToItem(Row(name));
    QTest::mouseClick(List().viewport(), Qt::RightButton, {}, Centre(name));
  }
  QMenu* Menu(const char* name) { return editor_.findChild<QMenu*>(name); }
  // Clicks the item of the menu that is up.
  void Choose(QMenu& menu, int item) {
    ASSERT_TRUE(menu.isVisible()) << menu.objectName().toStdString();
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().at(item)).center());
  }
  void ClickPanel(int number) {
    auto* panel = editor_.findChild<CommandPanel*>(QString("Panel%1").arg(number));
    ASSERT_NE(panel, nullptr) << number;
    QTest::mouseClick(panel, Qt::LeftButton);
  }
  void SetUpDwgExport() {
    exportPattern_ = "*.DWG";
    Load();
  }

  testing::TemporaryFolder folder_;
  testing::ScriptedDialogs script_;
  InputBoxRecorder dialogs_{script_};
  std::string exportPattern_ = "*.DXF";
  int acadSetupShown_ = 0;
  Form6 editor_{{dialogs_, "RegistryVersion7.0", "/opt/host/Templates", [this] { return exportPattern_; },
                 [this] { ++acadSetupShown_; }}};
};

TEST_F(Form6Test, ShowsEveryLineAsNameAndValueWithSectionsBold) {
  EXPECT_EQ(editor_.windowTitle(), "INI File editor");
  Load();
  QTreeWidget& list = List();
  ASSERT_EQ(list.topLevelItemCount(), 16);
  EXPECT_EQ(list.headerItem()->text(0), "INI Filevariable");
  EXPECT_EQ(list.headerItem()->text(1), "Value");
  EXPECT_EQ(list.columnWidth(0), list.viewport()->width() / 3);
  EXPECT_EQ(list.columnWidth(0) + list.columnWidth(1), list.viewport()->width());
  EXPECT_EQ(Value("PATH"), "a=b");
  for (const char* section : {"[EXPORT SELECT OPTIONS]", "[IMPORT FILE TYPE]"}) {
    ASSERT_NE(Row(section), nullptr) << section;
    EXPECT_TRUE(Row(section)->font(0).bold()) << section;
  }
  EXPECT_FALSE(Row("PATH")->font(0).bold());
  const char* captions[] = {"Reload INI", "Cancel", "Save and Close"};
  for (int number = 1; number <= 3; ++number) {
    auto* panel = editor_.findChild<CommandPanel*>(QString("Panel%1").arg(number));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), captions[number - 1]);
    EXPECT_EQ(panel->parent(), editor_.findChild<QStatusBar*>("StatusBar1"));
  }
  EXPECT_TRUE(testing::SaveScreenshot(editor_, "Form6"));
}

TEST_F(Form6Test, AFileThatCannotBeReadIsSaidAndReportedAsIncomplete) {
  const std::string missing = (folder_ / "gone.ini").string();
  script_.ExpectMessage("Error reading: \rNo such file or directory");
  EXPECT_FALSE(editor_.LoadSettingsList(missing));
  EXPECT_EQ(List().topLevelItemCount(), 0);
}

// Each menu writes the value of the item chosen, the Border item "New Border".
TEST_F(Form6Test, EveryMenuWritesTheValueOfTheItemChosen) {
  Load();
  struct Case {
    const char* name;
    const char* menu;
    std::vector<const char*> captions;
    int item;
    const char* written;
  };
  const Case cases[] = {
      {"TRANSLATION TYPE",
       "mnuTranslationType",
       {"Translate Body Only", "Translate Features"},
       1,
       "Translate Features"},
      {"UNSUPPORTED PART FEATURES",
       "mnuUnsupPartFeat",
       {"Translate Body Only", "Translate Remaining Features"},
       1,
       "Translate Remaining Features"},
      {"FILE UNITS",
       "mnuFileUnits",
       {"&Meters", "&Inches", "&Millimeters", "&Centimeters", "&Microns", "&Feet"},
       5,
       "Feet"},
      {"DESTINATION 2D DATA",
       "mnuDestination2D",
       {"&New Drawing", "&New Part", "&Title Block", "&Border", "&Symbol"},
       3,
       "New Border"},
      {"AUTOCAD VERSION",
       "mnuAcadVersion",
       {"&AutoCAD 2004", "&AutoCAD 2000", "&R14", "&R13", "&R12"},
       0,
       "AutoCAD 2004"},
      {"PACK AND GO", "mnuYesNo", {"&Yes", "&No"}, 0, "Yes"},
  };
  for (const Case& c : cases) {
    QMenu* menu = Menu(c.menu);
    ASSERT_NE(menu, nullptr) << c.menu;
    std::vector<std::string> captions;
    for (QAction* action : menu->actions()) captions.push_back(action->text().toStdString());
    EXPECT_EQ(captions, std::vector<std::string>(c.captions.begin(), c.captions.end())) << c.menu;
    DoubleClick(c.name);
    Choose(*menu, c.item);
    EXPECT_FALSE(menu->isVisible()) << c.menu;
    EXPECT_EQ(Value(c.name), c.written) << c.name;
  }
}

TEST_F(Form6Test, TheRightButtonEditsTooAndAMenuClosedUnchosenChangesNothing) {
  Load();
  RightClick("FILE UNITS");
  QMenu* units = Menu("mnuFileUnits");
  ASSERT_TRUE(units->isVisible());
  EXPECT_TRUE(testing::SaveScreenshot(*units, "Form6-mnuFileUnits"));
  units->hide();
  EXPECT_EQ(Value("FILE UNITS"), "Millimeters");
  RightClick("FILE UNITS");
  Choose(*units, 1);
  EXPECT_EQ(Value("FILE UNITS"), "Inches");
}

TEST_F(Form6Test, TheVersionMenuOffersTheVersionsTheHostWritesForTheFormat) {
  struct Case {
    const char* hostVersion;
    const char* pattern;
    std::vector<bool> enabled;  // AutoCAD 2004, AutoCAD 2000, R14, R13, R12
  };
  const Case cases[] = {
      {"RegistryVersion7.0", "*.DXF", {true, true, false, false, true}},
      {"RegistryVersion7.0", "*.DWG", {true, true, false, false, false}},
      {"REGISTRYVERSION6.0", "*.DXF", {false, true, true, true, true}},
      {"RegistryVersion5.2", "*.DWG", {false, true, true, true, false}},
      {"RegistryVersion8.0", "*.DWG", {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    std::string pattern = c.pattern;
    Form6 editor({dialogs_, c.hostVersion, "/opt/host/Templates", [&] { return pattern; }, {}});
    editor.show();
    ASSERT_TRUE(editor.LoadSettingsList(Path()));
    auto* list = editor.findChild<QTreeWidget*>("ListView1");
    QTreeWidgetItem* row = list->findItems("AUTOCAD VERSION", Qt::MatchExactly, 0).front();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
    auto* menu = editor.findChild<QMenu*>("mnuAcadVersion");
    ASSERT_TRUE(menu->isVisible()) << c.hostVersion << " " << c.pattern;
    std::vector<bool> enabled;
    for (QAction* action : menu->actions()) enabled.push_back(action->isEnabled());
    EXPECT_EQ(enabled, c.enabled) << c.hostVersion << " " << c.pattern;
    if (std::string(c.hostVersion) == "RegistryVersion7.0" && pattern == "*.DWG") {
      EXPECT_TRUE(testing::SaveScreenshot(*menu, "Form6-mnuAcadVersion"));
    }
    menu->hide();
    EXPECT_EQ(row->text(1), "AutoCAD 2000") << c.hostVersion << " " << c.pattern;
  }
}

TEST_F(Form6Test, FileDialogsKeepTheFullTemplatePathOrTheInventorFileName) {
  Load();
  const auto request = [](const char* title, const char* filter, const char* start, const char* name) {
    return FileRequest{FileRequest::Purpose::Open, title, filter, start, name};
  };
  script_
      .ExpectFile(
          request("Select Template File", "AutoCAD Template Files (*.DWT)|*.DWT", "/cad/acad/", "/cad/acad/iso.dwt"),
          std::nullopt)
      .ExpectFile(
          request("Select Template File", "AutoCAD Template Files (*.DWT)|*.DWT", "/cad/acad/", "/cad/acad/iso.dwt"),
          "")
      .ExpectFile(
          request("Select Template File", "AutoCAD Template Files (*.DWT)|*.DWT", "/cad/acad/", "/cad/acad/iso.dwt"),
          "/cad/other/ansi.dwt")
      .ExpectFile(request("Select Inventor Part template", "Inventor Part Files (*.IPT)|*.IPT", "/opt/host/Templates/",
                          "Standard.ipt"),
                  "/opt/host/Templates/Metric/Standard (mm).ipt")
      .ExpectFile(request("Select Inventor Part template", "Inventor Assembly Files (*.IAM)|*.IAM",
                          "/opt/host/Templates/", "Standard.iam"),
                  std::nullopt)
      .ExpectFile(request("Select Inventor Drawing template", "Inventor Drawing Files (*.IDW)|*.IDW",
                          "/opt/host/Templates/", "Standard.idw"),
                  "/opt/host/Templates/ISO.idw");
  DoubleClick("AUTOCAD TEMPLATE");
  EXPECT_EQ(Value("AUTOCAD TEMPLATE"), "/cad/acad/iso.dwt") << "Cancel leaves the value";
  DoubleClick("AUTOCAD TEMPLATE");
  EXPECT_EQ(Value("AUTOCAD TEMPLATE"), "/cad/acad/iso.dwt") << "an empty choice leaves the value";
  DoubleClick("AUTOCAD TEMPLATE");
  EXPECT_EQ(Value("AUTOCAD TEMPLATE"), "/cad/other/ansi.dwt");
  DoubleClick("PART TEMPLATE");
  EXPECT_EQ(Value("PART TEMPLATE"), "Standard (mm).ipt");
  DoubleClick("ASSEMBLY TEMPLATE");
  EXPECT_EQ(Value("ASSEMBLY TEMPLATE"), "Standard.iam");
  DoubleClick("DRAWING TEMPLATE");
  EXPECT_EQ(Value("DRAWING TEMPLATE"), "ISO.idw");
}

TEST_F(Form6Test, TheFolderBrowserAndTheInputBoxChangeOnlyOnAnAnswer) {
  Load();
  script_.ExpectFolder("", std::nullopt)
      .ExpectFolder("", "/data/dwg")
      .ExpectText("Enter value for\rSCALE", std::nullopt)
      .ExpectText("Enter value for\rSCALE", "")
      .ExpectText("Enter value for\rSCALE", "2.5")
      .ExpectText("Enter value for\rPATH", "c=d");
  DoubleClick("DESTINATION DIRECTORY");
  EXPECT_EQ(Value("DESTINATION DIRECTORY"), "/out");
  DoubleClick("DESTINATION DIRECTORY");
  EXPECT_EQ(Value("DESTINATION DIRECTORY"), "/data/dwg");
  DoubleClick("SCALE");
  DoubleClick("SCALE");
  EXPECT_EQ(Value("SCALE"), "1.0");
  DoubleClick("SCALE");
  EXPECT_EQ(Value("SCALE"), "2.5");
  RightClick("PATH");
  EXPECT_EQ(Value("PATH"), "c=d");
  using Asked = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(dialogs_.asked, (Asked{{"SCALE", "1.0"}, {"SCALE", "1.0"}, {"SCALE", "1.0"}, {"PATH", "a=b"}}));
}

TEST_F(Form6Test, SectionRowsAreNeverEdited) {
  Load();
  // The script expects nothing: any box shown fails the test.
  DoubleClick("[EXPORT SELECT OPTIONS]");
  RightClick("[IMPORT FILE TYPE]");
  for (QMenu* menu : editor_.findChildren<QMenu*>()) EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(Row("[IMPORT FILE TYPE]")->text(1), "");
}

TEST_F(Form6Test, SaveAndCloseWritesEveryRowAndKeepsTheFileBeforeAsBackup) {
  Load();
  script_.ExpectText("Enter value for\rSCALE", "2.5").ExpectText("Enter value for\rSCALE", "3");
  DoubleClick("SCALE");
  QSignalSpy accepted(&editor_, &QDialog::accepted);
  ClickPanel(3);
  EXPECT_FALSE(editor_.isVisible());
  EXPECT_EQ(accepted.count(), 1);
  std::string expected = kSettings;
  expected.replace(expected.find("SCALE=1.0"), 9, "SCALE=2.5");
  EXPECT_EQ(folder_.Read("acad.ini"), expected);
  EXPECT_EQ(folder_.Read("acad.BAK"), kSettings);

  // A second save keeps the version before it as the backup.
  editor_.show();
  DoubleClick("SCALE");
  ClickPanel(3);
  std::string second = expected;
  second.replace(second.find("SCALE=2.5"), 9, "SCALE=3");
  EXPECT_EQ(folder_.Read("acad.ini"), second);
  EXPECT_EQ(folder_.Read("acad.BAK"), expected);
}

TEST_F(Form6Test, AFileGoneSinceLoadingIsSaidAndTheEditsStay) {
  Load();
  script_.ExpectText("Enter value for\rSCALE", "2.5")
      .ExpectMessage("The settings file could not be saved: No settings file to save over: " + Path());
  DoubleClick("SCALE");
  std::filesystem::remove(folder_ / "acad.ini");
  ClickPanel(3);
  EXPECT_TRUE(editor_.isVisible());
  EXPECT_EQ(Value("SCALE"), "2.5");
  EXPECT_EQ(folder_.Listing(), "");
}

TEST_F(Form6Test, CancelEscapeAndReloadDropTheEditsAndWriteNothing) {
  Load();
  script_.ExpectText("Enter value for\rSCALE", "2.5").ExpectText("Enter value for\rSCALE", "2.5");
  DoubleClick("SCALE");
  ClickPanel(1);
  EXPECT_EQ(Value("SCALE"), "1.0") << "Reload reads the file of the caption again";
  EXPECT_TRUE(editor_.isVisible());

  QSignalSpy rejected(&editor_, &QDialog::rejected);
  DoubleClick("SCALE");
  QTest::keyClick(&editor_, Qt::Key_Escape);
  EXPECT_FALSE(editor_.isVisible());
  editor_.show();
  ClickPanel(2);
  EXPECT_FALSE(editor_.isVisible());
  EXPECT_EQ(rejected.count(), 2);
  EXPECT_EQ(folder_.Read("acad.ini"), kSettings);
  EXPECT_FALSE(folder_.Exists("acad.BAK"));
}

TEST_F(Form6Test, TheAutocadSetupIsOfferedForDwgExportSettingsOnly) {
  auto* button = editor_.findChild<QPushButton*>("cmdAcadSetup");
  ASSERT_NE(button, nullptr);
  Load();
  EXPECT_TRUE(button->isHidden()) << "DXF export";
  SetUpDwgExport();
  ASSERT_FALSE(button->isHidden());
  EXPECT_EQ(button->text(), "AutoCAD Setup...");
  EXPECT_FALSE(button->toolTip().isEmpty());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(acadSetupShown_, 1);
  EXPECT_TRUE(testing::SaveScreenshot(editor_, "Form6-DwgExport"));

  folder_.Write("dwgin.ini", "[IMPORT FILE TYPE]\r\nFILE UNITS=Meters\r\n");
  ASSERT_TRUE(editor_.LoadSettingsList((folder_ / "dwgin.ini").string()));
  EXPECT_TRUE(button->isHidden()) << "import settings";
}

// A settings file written on a Western system: "ø" and "é" are single bytes
// of Windows-1252, which are no UTF-8.
constexpr const char* kWesternSettings =
    "[EXPORT SELECT OPTIONS]\r\n"
    "AUTOCAD TEMPLATE=/cad/K\xF8" "benhavn/iso.dwt\r\n"
    "DESTINATION DIRECTORY=/out/caf\xE9\r\n"
    "SCALE=1.0\r\n"
    "NOTE=\x80 5 \x81\r\n";

TEST_F(Form6Test, AWesternFileShowsItsCharactersAndKeepsTheRowsLeftAloneByteForByte) {
  folder_.Write("acad.ini", kWesternSettings);
  Load();
  EXPECT_EQ(Value("AUTOCAD TEMPLATE"), "/cad/K\u00F8benhavn/iso.dwt");
  EXPECT_EQ(Value("NOTE"), "\u20AC 5 \u0081");
  EXPECT_TRUE(testing::SaveScreenshot(editor_, "Form6-Windows1252"));
  script_.ExpectText("Enter value for\rSCALE", "2,5 \u00E6");
  DoubleClick("SCALE");
  ClickPanel(3);
  EXPECT_FALSE(editor_.isVisible());
  std::string expected = kWesternSettings;
  expected.replace(expected.find("SCALE=1.0"), 9, "SCALE=2,5 \xE6");
  EXPECT_EQ(folder_.Read("acad.ini"), expected);
  EXPECT_EQ(folder_.Read("acad.BAK"), kWesternSettings);
}

TEST_F(Form6Test, AUtf8FileTakesEditedRowsInUtf8AndAWesternOneRefusesWhatItCannotHold) {
  const std::string utf8 = "[EXPORT SELECT OPTIONS]\r\nDESTINATION DIRECTORY=/out/caf\u00E9\r\nSCALE=1.0\r\n";
  folder_.Write("acad.ini", utf8);
  Load();
  EXPECT_EQ(Value("DESTINATION DIRECTORY"), "/out/caf\u00E9");
  script_.ExpectText("Enter value for\rSCALE", "\u0142\u00F8d\u017A");
  DoubleClick("SCALE");
  ClickPanel(3);
  EXPECT_EQ(folder_.Read("acad.ini"), "[EXPORT SELECT OPTIONS]\r\nDESTINATION DIRECTORY=/out/caf\u00E9\r\nSCALE=\u0142\u00F8d\u017A\r\n");

  // "ł" has no byte in Windows-1252: refused when typed, the value stays.
  folder_.Write("acad.ini", kWesternSettings);
  editor_.show();
  Load();
  script_.ExpectText("Enter value for\rSCALE", "\u0142\u00F8d\u017A")
      .ExpectMessage("The character \"\u0142\" cannot be saved: this file is written in Windows-1252");
  DoubleClick("SCALE");
  EXPECT_EQ(Value("SCALE"), "1.0");
  ClickPanel(3);
  EXPECT_EQ(folder_.Read("acad.ini"), kWesternSettings);
}

}  // namespace
}  // namespace korrin
