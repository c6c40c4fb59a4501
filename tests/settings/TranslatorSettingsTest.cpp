#include <gtest/gtest.h>

#include <cerrno>

#include "settings/SettingsList.h"
#include "settings/TranslatorSettingsEditor.h"
#include "settings/TranslatorSettingsFile.h"
#include "settings/TranslatorSettingsMenus.h"
#include "support/FolderInTheWay.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using Rows = std::vector<SettingsListRow>;
using Kind = TranslatorMenuKind;

// Every kind of line a translator settings file holds, ended with CR LF as a
// save writes them.
constexpr const char* kExportFile =
    "[EXPORT SELECT OPTIONS]\r\n"
    "AUTOCAD VERSION=AutoCAD 2000\r\n"
    "AUTOCAD TEMPLATE=\r\n"
    "PATH=C:\\a=b\\c=\r\n"
    "\r\n"
    ";no equals here\r\n"
    "[ODD=SECTION]\r\n"
    "USE TRANSMITTAL=no\r\n";

SettingsListLoad Load(const std::filesystem::path& path) {
  testing::ScriptedDialogs dialogs;  // fails the test on any message
  return LoadSettingsList(path, dialogs);
}

// --- the file ---------------------------------------------------------------

TEST(TranslatorSettingsFile, AWesternFileIsReadAsTextAndWrittenBackInItsCodePage) {
  testing::TemporaryFolder folder;
  const std::string western = "[EXPORT SELECT OPTIONS]\r\nAUTOCAD TEMPLATE=/cad/K\xF8" "benhavn.dwt\r\nSCALE=1\r\n";
  folder.Write("dwgout.ini", western);
  SettingsListLoad load = Load(folder / "dwgout.ini");
  EXPECT_EQ(load.codePage, FileCodePage::Windows1252);
  ASSERT_EQ(load.rows.size(), 3u);
  EXPECT_EQ(load.rows[1].value, "/cad/K\u00F8benhavn.dwt");

  load.rows[2].value = "\u00BD";
  ASSERT_TRUE(SaveTranslatorSettings(folder / "dwgout.ini", load.rows, load.codePage).ok());
  EXPECT_EQ(folder.Read("dwgout.ini"), "[EXPORT SELECT OPTIONS]\r\nAUTOCAD TEMPLATE=/cad/K\xF8" "benhavn.dwt\r\nSCALE=\xBD\r\n");

  // A character the code page cannot hold fails the save before anything is
  // touched: no backup, the file as it was.
  const std::string before = folder.Read("dwgout.ini");
  std::filesystem::remove(folder / "dwgout.BAK");
  load.rows[2].value = "\u0142";
  const Status refused = SaveTranslatorSettings(folder / "dwgout.ini", load.rows, load.codePage);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure().number, EILSEQ);
  EXPECT_EQ(refused.failure().description,
            "The character \"\u0142\" cannot be saved: this file is written in Windows-1252");
  EXPECT_EQ(folder.Read("dwgout.ini"), before);
  EXPECT_EQ(folder.Listing(), "dwgout.ini");

  // The same text goes into a UTF-8 file as it is.
  folder.Write("dwgin.ini", "[IMPORT FILE TYPE]\r\nSCALE=1\r\n");
  SettingsListLoad utf8 = Load(folder / "dwgin.ini");
  EXPECT_EQ(utf8.codePage, FileCodePage::Utf8);
  utf8.rows[1].value = "\u0142";
  ASSERT_TRUE(SaveTranslatorSettings(folder / "dwgin.ini", utf8.rows, utf8.codePage).ok());
  EXPECT_EQ(folder.Read("dwgin.ini"), "[IMPORT FILE TYPE]\r\nSCALE=\u0142\r\n");
}

TEST(TranslatorSettingsFile, SavesWhatItLoadedUnchanged) {
  testing::TemporaryFolder folder;
  folder.Write("dwgout.ini", kExportFile);
  const SettingsListLoad load = Load(folder / "dwgout.ini");
  ASSERT_TRUE(load.complete);
  ASSERT_EQ(load.rows.size(), 8u);
  EXPECT_EQ(load.rows[3], (SettingsListRow{"PATH", "C:\\a=b\\c=", false, true}));

  ASSERT_TRUE(SaveTranslatorSettings(folder / "dwgout.ini", load.rows).ok());
  EXPECT_EQ(folder.Read("dwgout.ini"), kExportFile);
  EXPECT_EQ(folder.Read("dwgout.BAK"), kExportFile);
  EXPECT_EQ(folder.Listing(), "dwgout.BAK dwgout.ini");  // no temporary file left
}

TEST(TranslatorSettingsFile, BackupDropsTheLastThreeCharacters) {
  const struct {
    const char* path;
    const char* backup;
  } cases[] = {
      {"/x/dwgin.ini", "/x/dwgin.BAK"},
      {"/cfg/acad.INI", "/cfg/acad.BAK"},
      {"/x/settings.conf", "/x/settings.cBAK"},
      {"ab", "BAK"},
  };
  for (const auto& c : cases) EXPECT_EQ(TranslatorSettingsBackupPath(c.path), c.backup) << c.path;
}

TEST(TranslatorSettingsFile, TheBackupHoldsTheVersionBeforeTheLastSave) {
  testing::TemporaryFolder folder;
  folder.Write("acad.ini", "[EXPORT SELECT OPTIONS]\r\nFILE UNITS=Inches\r\n");
  folder.Write("acad.BAK", "an older backup\r\n");

  Rows rows = Load(folder / "acad.ini").rows;
  rows[1].value = "Feet";
  ASSERT_TRUE(SaveTranslatorSettings(folder / "acad.ini", rows).ok());
  EXPECT_EQ(folder.Read("acad.BAK"), "[EXPORT SELECT OPTIONS]\r\nFILE UNITS=Inches\r\n");

  rows[1].value = "Microns";
  ASSERT_TRUE(SaveTranslatorSettings(folder / "acad.ini", rows).ok());
  EXPECT_EQ(folder.Read("acad.ini"), "[EXPORT SELECT OPTIONS]\r\nFILE UNITS=Microns\r\n");
  EXPECT_EQ(folder.Read("acad.BAK"), "[EXPORT SELECT OPTIONS]\r\nFILE UNITS=Feet\r\n");
  EXPECT_EQ(folder.Listing(), "acad.BAK acad.ini");
}

TEST(TranslatorSettingsFile, AMissingFileIsReportedAndNotCreated) {
  testing::TemporaryFolder folder;
  testing::ScriptedDialogs dialogs;
  dialogs.ExpectMessage("Error reading: \rNo such file or directory");
  const SettingsListLoad load = LoadSettingsList(folder / "dwgin.ini", dialogs);
  EXPECT_FALSE(load.complete);
  EXPECT_TRUE(load.rows.empty());

  const Status saved = SaveTranslatorSettings(folder / "dwgin.ini", {{"[IMPORT FILE TYPE]", "", true, false}});
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.failure().number, ENOENT);
  // A folder by the file's name is no file to save over either.
  std::filesystem::create_directory(folder / "folder.ini");
  EXPECT_EQ(SaveTranslatorSettings(folder / "folder.ini", {}).failure().number, ENOENT);
  EXPECT_EQ(folder.Listing(), "folder.ini");
}

TEST(TranslatorSettingsFile, NoBackupMeansTheFileIsLeftAsItWas) {
  testing::TemporaryFolder folder;
  folder.Write("dwgin.ini", "FILE UNITS=Inches\r\n");
  // A folder stands where the backup goes and cannot be replaced by a file.
  std::filesystem::create_directory(folder / "dwgin.BAK");
  folder.Write("dwgin.BAK/kept", "x");

  const Status saved = SaveTranslatorSettings(folder / "dwgin.ini", {{"FILE UNITS", "Feet", false, true}});
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.failure(), testing::kFileOntoFolder);
  EXPECT_EQ(folder.Read("dwgin.ini"), "FILE UNITS=Inches\r\n");
  EXPECT_EQ(folder.Read("dwgin.BAK/kept"), "x");
  EXPECT_EQ(folder.Listing(), "dwgin.BAK dwgin.ini");
}

// --- the menus --------------------------------------------------------------

TEST(TranslatorSettingsMenus, ListTheirItemsInOrder) {
  using Items = std::vector<std::pair<std::string, std::string>>;
  const struct {
    Kind kind;
    const char* objectName;
    Items items;
  } cases[] = {
      {Kind::TranslationType,
       "mnuTranslationType",
       {{"Translate Body Only", "Translate Body Only"}, {"Translate Features", "Translate Features"}}},
      {Kind::UnsupportedPartFeatures,
       "mnuUnsupPartFeat",
       {{"Translate Body Only", "Translate Body Only"},
        {"Translate Remaining Features", "Translate Remaining Features"}}},
      {Kind::FileUnits,
       "mnuFileUnits",
       {{"&Meters", "Meters"},
        {"&Inches", "Inches"},
        {"&Millimeters", "Millimeters"},
        {"&Centimeters", "Centimeters"},
        {"&Microns", "Microns"},
        {"&Feet", "Feet"}}},
      {Kind::Destination2D,
       "mnuDestination2D",
       {{"&New Drawing", "New Drawing"},
        {"&New Part", "New Part"},
        {"&Title Block", "Title Block"},
        {"&Border", "New Border"},
        {"&Symbol", "Symbol"}}},
      {Kind::AutocadVersion,
       "mnuAcadVersion",
       {{"&AutoCAD 2004", "AutoCAD 2004"},
        {"&AutoCAD 2000", "AutoCAD 2000"},
        {"&R14", "R14"},
        {"&R13", "R13"},
        {"&R12", "R12"}}},
      {Kind::YesNo, "mnuYesNo", {{"&Yes", "Yes"}, {"&No", "No"}}},
  };
  for (const auto& c : cases) {
    const TranslatorMenu menu = TranslatorMenuOf(c.kind);
    SCOPED_TRACE(c.objectName);
    EXPECT_EQ(menu.kind, c.kind);
    EXPECT_EQ(menu.objectName, c.objectName);
    Items items;
    for (const TranslatorMenuItem& item : menu.items) {
      items.emplace_back(item.caption, item.value);
      EXPECT_TRUE(item.enabled) << item.value;
    }
    EXPECT_EQ(items, c.items);
  }
}

TEST(TranslatorSettingsMenus, AutocadVersionsFollowTheHostAndTheFormat) {
  // Enabled flags in menu order: 2004, 2000, R14, R13, R12.
  using Enabled = std::vector<bool>;
  const Enabled none{false, false, false, false, false};
  const struct {
    const char* hostVersion;
    const char* pattern;
    Enabled enabled;
  } cases[] = {
      {"RegistryVersion7.0", "*.DXF", {true, true, false, false, true}},
      {"REGISTRYVERSION7.0", "*.DWG", {true, true, false, false, false}},
      {"RegistryVersion6.0", "*.DXF", {false, true, true, true, true}},
      {"registryversion6.0", "*.DWG", {false, true, true, true, false}},
      {"RegistryVersion5.2", "*.DXF", {false, true, true, true, true}},
      {"RegistryVersion5.2", "*.DWG", {false, true, true, true, false}},
      {"RegistryVersion7.0", "*.dxf", {true, true, false, false, false}},  // only "*.DXF" counts as DXF
      {"RegistryVersion8.0", "*.DXF", none},
      {"RegistryVersion7.0 ", "*.DWG", none},
      {"", "*.DXF", none},
  };
  for (const auto& c : cases) {
    const TranslatorMenu menu = AutocadVersionMenu(c.hostVersion, c.pattern);
    Enabled enabled;
    for (const TranslatorMenuItem& item : menu.items) enabled.push_back(item.enabled);
    EXPECT_EQ(enabled, c.enabled) << c.hostVersion << " " << c.pattern;
    EXPECT_EQ(menu.objectName, "mnuAcadVersion");
  }
}

// --- choosing the editor ----------------------------------------------------

TranslatorEditContext UnixContext() { return {"/host/Templates", "RegistryVersion6.0", "*.DWG", '/'}; }

TEST(TranslatorSettingsEditor, KnownNamesGetTheirEditorInAnyCase) {
  const TranslatorEditContext context = UnixContext();
  const MenuEditor versions{AutocadVersionMenu("RegistryVersion6.0", "*.DWG")};
  const struct {
    const char* key;
    const char* value;
    TranslatorEditor expected;
  } cases[] = {
      {"AUTOCAD TEMPLATE", "/acad/Template/iso.dwt",
       FileEditor{"Select Template File", "AutoCAD Template Files (*.DWT)|*.DWT", "/acad/Template/",
                  "/acad/Template/iso.dwt", FileEditor::Keeps::FullPath}},
      {"AutoCAD Template", "",
       FileEditor{"Select Template File", "AutoCAD Template Files (*.DWT)|*.DWT", "", "", FileEditor::Keeps::FullPath}},
      {"autocad version", "R14", versions},
      {"Destination 2D Data", "Yes", MenuEditor{TranslatorMenuOf(Kind::Destination2D)}},
      {"DESTINATION DIRECTORY", "no", FolderEditor{}},
      {"PART TEMPLATE", "Standard.ipt",
       FileEditor{"Select Inventor Part template", "Inventor Part Files (*.IPT)|*.IPT", "/host/Templates/",
                  "Standard.ipt", FileEditor::Keeps::FileName}},
      {"Assembly Template", "Standard.iam",
       FileEditor{"Select Inventor Part template", "Inventor Assembly Files (*.IAM)|*.IAM", "/host/Templates/",
                  "Standard.iam", FileEditor::Keeps::FileName}},
      {"drawing template", "",
       FileEditor{"Select Inventor Drawing template", "Inventor Drawing Files (*.IDW)|*.IDW", "/host/Templates/", "",
                  FileEditor::Keeps::FileName}},
      {"File Units", "Inches", MenuEditor{TranslatorMenuOf(Kind::FileUnits)}},
      {"TRANSLATION TYPE", "Translate Features", MenuEditor{TranslatorMenuOf(Kind::TranslationType)}},
      {"Unsupported Part Features", "x", MenuEditor{TranslatorMenuOf(Kind::UnsupportedPartFeatures)}},
  };
  for (const auto& c : cases) {
    const TranslatorEditor editor = TranslatorEditorFor({c.key, c.value, false, true}, context);
    EXPECT_EQ(editor.index(), c.expected.index()) << c.key;
    EXPECT_TRUE(editor == c.expected) << c.key;
  }
}

TEST(TranslatorSettingsEditor, OtherRowsGetTheYesNoMenuAnInputBoxOrNothing) {
  const TranslatorEditor yesNo = MenuEditor{TranslatorMenuOf(Kind::YesNo)};
  const struct {
    SettingsListRow row;
    TranslatorEditor expected;
  } cases[] = {
      {{"USE TRANSMITTAL", "Yes", false, true}, yesNo},
      {{"USE TRANSMITTAL", "no", false, true}, yesNo},
      {{"x", "yEs", false, true}, yesNo},
      {{"x", "NO", false, true}, yesNo},
      {{"x", "Yes ", false, true}, InputEditor{"Enter value for\rx", "x", "Yes "}},
      {{"SCALE", "2", false, true}, InputEditor{"Enter value for\rSCALE", "SCALE", "2"}},
      {{"", "", false, false}, InputEditor{"Enter value for\r", "", ""}},
      {{" FILE UNITS", "Feet", false, true}, InputEditor{"Enter value for\r FILE UNITS", " FILE UNITS", "Feet"}},
      {{"[IMPORT FILE TYPE]", "", true, false}, NoEditor{}},
      {{"[FILE UNITS]", "", true, false}, NoEditor{}},
      {{"[YES]", "Yes", true, false}, NoEditor{}},
  };
  for (const auto& c : cases) {
    const TranslatorEditor editor = TranslatorEditorFor(c.row, UnixContext());
    EXPECT_EQ(editor.index(), c.expected.index()) << c.row.key << "=" << c.row.value;
    EXPECT_TRUE(editor == c.expected) << c.row.key << "=" << c.row.value;
  }
}

// --- applying the answer ----------------------------------------------------

TEST(TranslatorSettingsEditor, AnswersChangeTheValueOnlyWhenTheyChooseSomething) {
  const struct {
    SettingsListRow row;
    TranslatorEditAnswer answer;
    const char* value;
  } cases[] = {
      {{"PART TEMPLATE", "Old.ipt"}, FileChosen{"/t/Metric/Standard.ipt"}, "Standard.ipt"},
      {{"PART TEMPLATE", "Old.ipt"}, FileChosen{""}, "Old.ipt"},
      {{"PART TEMPLATE", "Old.ipt"}, EditCancelled{}, "Old.ipt"},
      {{"AUTOCAD TEMPLATE", ""}, FileChosen{"/acad/iso.dwt"}, "/acad/iso.dwt"},
      {{"USE TRANSMITTAL", "no"}, MenuItemChosen{0}, "Yes"},
      {{"USE TRANSMITTAL", "YES"}, MenuItemChosen{1}, "No"},
      {{"USE TRANSMITTAL", "no"}, MenuItemChosen{2}, "no"},  // no such item
      {{"DESTINATION 2D DATA", "Symbol"}, MenuItemChosen{3}, "New Border"},
      {{"AUTOCAD VERSION", "R14"}, MenuItemChosen{1}, "AutoCAD 2000"},
      {{"AUTOCAD VERSION", "R14"}, MenuItemChosen{0}, "R14"},  // 2004 is disabled for this host
      {{"DESTINATION DIRECTORY", "/old"}, FolderChosen{"/new/out"}, "/new/out"},
      {{"DESTINATION DIRECTORY", "/old"}, FolderChosen{""}, "/old"},
      {{"DESTINATION DIRECTORY", "/old"}, EditCancelled{}, "/old"},
      {{"SCALE", "2"}, TextEntered{"3"}, "3"},
      {{"SCALE", "2"}, TextEntered{""}, "2"},
      {{"SCALE", "2"}, EditCancelled{}, "2"},
      {{"SCALE", "2"}, FileChosen{"/x/y"}, "2"},  // not an answer an input box gives
      {{"[IMPORT FILE TYPE]", "", true}, TextEntered{"x"}, ""},
  };
  for (const auto& c : cases) {
    const TranslatorEditor editor = TranslatorEditorFor(c.row, UnixContext());
    EXPECT_EQ(TranslatorValueAfterEdit(c.row, editor, c.answer, '/'), c.value)
        << c.row.key << "=" << c.row.value << " answer " << c.answer.index();
  }
}

TEST(TranslatorSettingsEditor, AnEditedFileSavesWithTheNewValues) {
  testing::TemporaryFolder folder;
  folder.Write("dwgout.ini", kExportFile);
  Rows rows = Load(folder / "dwgout.ini").rows;
  const struct {
    std::size_t row;
    TranslatorEditAnswer answer;
  } edits[] = {
      {1, MenuItemChosen{2}},          {2, FileChosen{"/acad/iso.dwt"}}, {4, TextEntered{"v"}},
      {6, TextEntered{"not a value"}}, {7, MenuItemChosen{0}},
  };
  for (const auto& edit : edits) {
    SettingsListRow& row = rows[edit.row];
    row.value = TranslatorValueAfterEdit(row, TranslatorEditorFor(row, UnixContext()), edit.answer, '/');
  }
  ASSERT_TRUE(SaveTranslatorSettings(folder / "dwgout.ini", rows).ok());
  EXPECT_EQ(folder.Read("dwgout.ini"),
            "[EXPORT SELECT OPTIONS]\r\n"
            "AUTOCAD VERSION=R14\r\n"
            "AUTOCAD TEMPLATE=/acad/iso.dwt\r\n"
            "PATH=C:\\a=b\\c=\r\n"
            "=v\r\n"  // a blank line given a value needs its "="
            ";no equals here\r\n"
            "[ODD=SECTION]\r\n"
            "USE TRANSMITTAL=Yes\r\n");
  EXPECT_EQ(folder.Read("dwgout.BAK"), kExportFile);
}

}  // namespace
}  // namespace korrin
