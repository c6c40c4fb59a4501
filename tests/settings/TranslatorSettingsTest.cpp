#include <gtest/gtest.h>

#include "settings/SettingsList.h"
#include "settings/TranslatorSettingsFile.h"
#include "settings/TranslatorSettingsMenus.h"
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
  EXPECT_EQ(saved.failure().number, EISDIR);
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

}  // namespace
}  // namespace korrin
