#include <gtest/gtest.h>

#include "settings/ProgramSettings.h"
#include "settings/PathText.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

class ProgramSettingsTest : public ::testing::Test {
 protected:
  ProgramSettings Read() {
    ProgramSettings settings;
    ReadProgramSettings(place, settings, dialogs);
    return settings;
  }
  std::string InvalidLine(const std::string& line) { return "Invalid entry in Korrin.ini\rInvalid line: \r" + line; }

  testing::TemporaryFolder folder;
  ProgramPlace place{folder.string(), "/var/tmp/user"};
  testing::ScriptedDialogs dialogs;
};

TEST_F(ProgramSettingsTest, NoFileGivesTheDefaultsSilently) {
  const ProgramSettings settings = Read();
  EXPECT_EQ(settings.BatchLastFolder, folder.string() + kNativeSeparator);
  EXPECT_EQ(settings.BatchExportToFolder, "1");
  EXPECT_EQ(settings.BatchlastExportToFolder, "/var/tmp/user");
  EXPECT_EQ(settings.BatchLastImportFilter, "*.IDW");
  EXPECT_EQ(settings.BatchLastExportFilter, "Printer");
  EXPECT_EQ(settings.BatchLastSettingFile, folder.string() + kNativeSeparator + "KorrinExportTemplate.INI");
  EXPECT_EQ(settings.BatchLastExportDWGFile, "");
  EXPECT_EQ(settings.BatchLastExportDXFFile, "");
  EXPECT_EQ(settings.BatchLastImportDWGFile, "");
}

TEST_F(ProgramSettingsTest, ReadsKeysIgnoringCaseAndValuesAsTheyStand) {
  folder.Write("Korrin.ini",
               "[INI-Settings for Korrin]\r\n"
               ";comment\r\n"
               "\r\n"
               "batchlastfolder=C:\\Work\r\n"
               "BATCHLASTEXPORTTOFOLDER= /out \r\n"
               "BatchLastExportDWGFile=a=b.ini\r\n"
               "BatchLastExportDWGFile=later.ini\r\n"
               "BatchExportToFolder=\r\n"
               "BatchLastImportFilter=*.IPT");  // no final line end
  const ProgramSettings settings = Read();
  EXPECT_EQ(settings.BatchLastFolder, "C:\\Work");
  EXPECT_EQ(settings.BatchlastExportToFolder, " /out ");
  EXPECT_EQ(settings.BatchLastExportDWGFile, "later.ini");  // the later line wins
  EXPECT_EQ(settings.BatchExportToFolder, "1");             // empty takes the default
  EXPECT_EQ(settings.BatchLastImportFilter, "*.IPT");
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ProgramSettingsTest, ReportsEachInvalidLineAndGoesOn) {
  folder.Write("Korrin.ini",
               " BatchLastFolder=C:\\Work\r\n"
               "BatchLastFolder =C:\\Work\r\n"
               "Unknown\r\n"
               "BatchLastExportFilter=*.STP\r\n");
  dialogs.ExpectMessage(InvalidLine(" BatchLastFolder=C:\\Work"))
      .ExpectMessage(InvalidLine("BatchLastFolder =C:\\Work"))
      .ExpectMessage(InvalidLine("Unknown"));
  const ProgramSettings settings = Read();
  EXPECT_EQ(settings.BatchLastFolder, folder.string() + kNativeSeparator);
  EXPECT_EQ(settings.BatchLastExportFilter, "*.STP");
}

TEST_F(ProgramSettingsTest, ABrokenFileCannotBuryTheUserInMessages) {
  std::string garbage;
  for (int i = 0; i < 25; ++i) garbage += std::string("\x01\x02junk\0", 7) + std::to_string(i) + "\n";
  garbage += std::string(3 * 1024 * 1024, 'M') + "\n";
  garbage += "BatchLastImportFilter=*.IAM\n";
  folder.Write("Korrin.ini", garbage);
  for (int i = 0; i < 10; ++i) dialogs.ExpectMessage(InvalidLine(std::string("\x01\x02junk\0", 7) + std::to_string(i)));
  dialogs.ExpectMessage("Invalid entry in Korrin.ini\r16 more invalid lines were skipped");
  EXPECT_EQ(Read().BatchLastImportFilter, "*.IAM");
}

TEST_F(ProgramSettingsTest, ALongInvalidLineIsShortenedInItsMessage) {
  folder.Write("Korrin.ini", std::string(1000, 'L') + "\r\n");
  dialogs.ExpectMessage(InvalidLine(std::string(260, 'L') + "..."));
  Read();
}

TEST_F(ProgramSettingsTest, WritesTheHeaderAndNineKeysInOrder) {
  folder.Write("Korrin.ini", ";comment that is not kept\r\nBatchLastFolder=old\r\n");
  ProgramSettings settings{"/parts/", "0", "/out", "*.IPT", "Printe", "/t.INI", "/d.ini", "/x.ini", "/i.ini"};
  ASSERT_TRUE(WriteProgramSettings(place, settings).ok());
  EXPECT_EQ(folder.Read("Korrin.ini"),
            "[INI-Settings for Korrin]\r\n"
            "BatchLastFolder=/parts/\r\n"
            "BatchExportToFolder=0\r\n"
            "BatchlastExportToFolder=/out\r\n"
            "BatchLastImportFilter=*.IPT\r\n"
            "BatchLastExportFilter=Printe\r\n"
            "BatchLastSettingFile=/t.INI\r\n"
            "BatchLastExportDWGFile=/d.ini\r\n"
            "BatchLastExportDXFFile=/x.ini\r\n"
            "BatchLastImportDWGFile=/i.ini\r\n");
  EXPECT_EQ(Read(), settings);
}

TEST_F(ProgramSettingsTest, AFailedWriteKeepsTheOldFile) {
  folder.Write("Korrin.ini", "BatchLastFolder=old\r\n");
  const ProgramPlace nowhere{(folder / "missing").string(), ""};
  EXPECT_FALSE(WriteProgramSettings(nowhere, ProgramSettings{}).ok());
  EXPECT_EQ(folder.Read("Korrin.ini"), "BatchLastFolder=old\r\n");
}

}  // namespace
}  // namespace korrin
