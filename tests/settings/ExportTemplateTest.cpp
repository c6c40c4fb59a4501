#include <gtest/gtest.h>

#include "settings/ExportTemplateFile.h"
#include "settings/ExportTemplateLines.h"
#include "settings/PathText.h"
#include "support/FolderInTheWay.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(ExportTemplateLines, FirstMatchIgnoringCaseWins) {
  ExportTemplateLines store({"[EXPORTOPTIONS]", " STLHigh=1", "BMP_X=10", "bmp_x=20", "STLHigh"});
  std::string value = "unchanged";
  EXPECT_TRUE(store.GetExportOption("bmp_x", value));
  EXPECT_EQ(value, "10");
  value = "unchanged";
  EXPECT_TRUE(store.GetExportOption("STLHIGH", value));  // the line without "=" is key "STLHigh"
  EXPECT_EQ(value, "");
  value = "unchanged";
  EXPECT_FALSE(store.GetExportOption("Missing", value));
  EXPECT_EQ(value, "unchanged");

  store.SetExportOption("BMP_X", "30");
  store.SetExportOption("Missing", "1");
  EXPECT_EQ(store.lines(),
            (std::vector<std::string>{"[EXPORTOPTIONS]", " STLHigh=1", "BMP_X=30", "bmp_x=20", "STLHigh"}));
}

TEST(ExportTemplateLines, SetKeepsTheFileSpellingOfTheKey) {
  ExportTemplateLines store({"bmp_x=10", "PrinterRendermethod=3"});
  store.SetExportOption("BMP_X", "30");
  store.SetExportOption("PrinterRenderMethod", "130");
  EXPECT_EQ(store.lines(), (std::vector<std::string>{"bmp_x=30", "PrinterRendermethod=130"}));
}

class ExportTemplateFileTest : public ::testing::Test {
 protected:
  std::string TemplatePath() const { return folder.string() + kNativeSeparator + "KorrinExportTemplate.INI"; }

  testing::TemporaryFolder folder;
  testing::ScriptedDialogs dialogs;
  ExportTemplateLines store{{"before"}};
};

TEST_F(ExportTemplateFileTest, LoadsEveryLineInOrder) {
  folder.Write("KorrinExportTemplate.INI", "[EXPORTOPTIONS]\r\n; c\r\n\r\nBMP_X=1\nBMP_Y=2");
  EXPECT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::Loaded);
  EXPECT_EQ(store.lines(), (std::vector<std::string>{"[EXPORTOPTIONS]", "; c", "", "BMP_X=1", "BMP_Y=2"}));
}

TEST_F(ExportTemplateFileTest, OneLineFileLoadsWithoutMessage) {
  folder.Write("KorrinExportTemplate.INI", "[EXPORTOPTIONS]");
  EXPECT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::Loaded);
  EXPECT_EQ(store.lines().size(), 1u);
}

TEST_F(ExportTemplateFileTest, MissingFileEndsTheProgramWithItsMessage) {
  folder.Write("KorrinExportTemplate.bak", "[EXPORTOPTIONS]\r\n");
  dialogs.ExpectMessage("Error opening: " + TemplatePath() +
                        "\rThis file has to be present in the Korrin program directory, and is installed with Korrin"
                        "\rIf the file was accidently deleted, reinstall Korrin"
                        "\rYou may backup your INIfiles at copy them back after the reinstall");
  EXPECT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::EndProgram);
  EXPECT_EQ(store.lines(), std::vector<std::string>{"before"});
}

TEST_F(ExportTemplateFileTest, EmptyFileEndsTheProgramWithItsMessage) {
  folder.Write("KorrinExportTemplate.INI", "");
  dialogs.ExpectMessage("There are no valid information in:\rKorrinExportTemplate.INI\rRename the BAK file to INI and try again");
  EXPECT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::EndProgram);
}

TEST_F(ExportTemplateFileTest, UnreadableFileKeepsTheLinesReadSoFar) {
  if (!testing::kFolderOpensAsFile) {
    GTEST_SKIP() << "only a read that fails after the open stops midway; on Windows a folder fails the open itself, "
                    "which MissingFileEndsTheProgramWithItsMessage covers";
  }
  std::filesystem::create_directory(folder / "KorrinExportTemplate.INI");
  dialogs.ExpectMessage("Error reading line: 0 of: " + TemplatePath());
  EXPECT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::ReadStopped);
  EXPECT_TRUE(store.lines().empty());
}

TEST_F(ExportTemplateFileTest, SaveKeepsOneBackupOfThePreviousFile) {
  folder.Write("KorrinExportTemplate.INI", "first\r\n");
  folder.Write("KorrinExportTemplate.bak", "oldest\r\n");
  int collected = 0;
  store.Replace({"[EXPORTOPTIONS]", "second"});
  ASSERT_TRUE(SaveExportTemplate(folder.string(), store, [&] { ++collected; }, dialogs));
  store.Replace({"[EXPORTOPTIONS]", "third"});
  ASSERT_TRUE(SaveExportTemplate(folder.string(), store, [&] { ++collected; }, dialogs));
  EXPECT_EQ(collected, 2);
  EXPECT_EQ(folder.Read("KorrinExportTemplate.INI"), "[EXPORTOPTIONS]\r\nthird\r\n");
  EXPECT_EQ(folder.Read("KorrinExportTemplate.bak"), "[EXPORTOPTIONS]\r\nsecond\r\n");
  EXPECT_EQ(folder.Listing(), "KorrinExportTemplate.INI KorrinExportTemplate.bak");
}

TEST_F(ExportTemplateFileTest, CollectedEditsReachTheFile) {
  folder.Write("KorrinExportTemplate.INI", "[EXPORTOPTIONS]\r\nBMP_X=0\r\n");
  ASSERT_EQ(LoadExportTemplate(folder.string(), store, dialogs), TemplateLoad::Loaded);
  ASSERT_TRUE(SaveExportTemplate(folder.string(), store, [&] { store.SetExportOption("BMP_X", "640"); }, dialogs));
  EXPECT_EQ(folder.Read("KorrinExportTemplate.INI"), "[EXPORTOPTIONS]\r\nBMP_X=640\r\n");
  EXPECT_EQ(folder.Read("KorrinExportTemplate.bak"), "[EXPORTOPTIONS]\r\nBMP_X=0\r\n");
}

TEST_F(ExportTemplateFileTest, AFailedSaveReportsAndCollectsNothing) {
  const std::string missing = (folder / "gone").string();
  dialogs.ExpectMessage("Error writing KorrinINIFile\rNo such file or directory");
  bool collected = false;
  EXPECT_FALSE(SaveExportTemplate(missing, store, [&] { collected = true; }, dialogs));
  EXPECT_FALSE(collected);
}

TEST_F(ExportTemplateFileTest, AFailedRenameLeavesThePreviousFile) {
  // A folder in the template's place: the new text is written, but cannot
  // take the place; nothing the user had is touched.
  std::filesystem::create_directory(folder / "KorrinExportTemplate.INI");
  dialogs.ExpectMessage("Error writing KorrinINIFile\r" + testing::kFileOntoFolder.description);
  EXPECT_FALSE(SaveExportTemplate(folder.string(), store, [] {}, dialogs));
  EXPECT_EQ(folder.Listing(), "KorrinExportTemplate.INI");
}

}  // namespace
}  // namespace korrin
