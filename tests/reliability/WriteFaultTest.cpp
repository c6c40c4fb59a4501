// Saves whose write, sync or rename fails (a full disk, a failing device):
// the old file stays whole, no temporary file is left, and the failure is
// said where the program says it.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "print/PaperSizeFile.h"
#include "settings/ExportTemplateFile.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsList.h"
#include "settings/TextFileFaults.h"
#include "settings/TranslatorSettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using text_file_faults::Call;

struct FaultCase {
  Call call;
  int error;
  const char* what;
};

const std::vector<FaultCase> kFaults{
    {Call::Write, ENOSPC, "write, disk full"}, {Call::Write, EIO, "write, I/O error"},
    {Call::Sync, EIO, "sync, I/O error"},      {Call::Sync, ENOSPC, "sync, disk full"},
    {Call::Rename, EIO, "rename, I/O error"},
};

class WriteFault : public ::testing::Test {
 protected:
  void TearDown() override { text_file_faults::ClearFaults(); }
  testing::TemporaryFolder folder;
};

TEST_F(WriteFault, ProgramSettingsKeepTheOldFileAndReturnTheReason) {
  for (const FaultCase& fault : kFaults) {
    const std::string old = "[INI-Settings for Korrin]\r\nBatchLastFolder=/old/\r\n";
    folder.Write(kProgramSettingsFileName, old);
    text_file_faults::FailCall(fault.call, 1, fault.error);
    ProgramSettings settings;
    settings.BatchLastFolder = "/new/";
    const Status written = WriteProgramSettings({folder.string(), "/tmp"}, settings);
    ASSERT_FALSE(written) << fault.what;
    EXPECT_EQ(written.failure().number, fault.error) << fault.what;
    EXPECT_EQ(written.failure().description, std::strerror(fault.error)) << fault.what;
    EXPECT_EQ(folder.Read(kProgramSettingsFileName), old) << fault.what;
    EXPECT_EQ(folder.Listing(), kProgramSettingsFileName) << fault.what;
  }
}

TEST_F(WriteFault, ExportTemplateSaysSoAndKeepsTheOldTemplate) {
  // The backup is copied first: its write is the first call, the
  // template's the second.
  for (const FaultCase& fault : kFaults) {
    folder.Write(kExportTemplateFileName, "[EXPORTOPTIONS]\r\nKey=old\r\n");
    text_file_faults::FailCall(fault.call, 2, fault.error);
    ExportTemplateLines store({"[EXPORTOPTIONS]", "Key=new"});
    testing::ScriptedDialogs dialogs;
    dialogs.ExpectMessage(std::string("Error writing KorrinINIFile\r") + std::strerror(fault.error));
    EXPECT_FALSE(SaveExportTemplate(folder.string(), store, [] {}, dialogs)) << fault.what;
    EXPECT_EQ(folder.Read(kExportTemplateFileName), "[EXPORTOPTIONS]\r\nKey=old\r\n") << fault.what;
    EXPECT_EQ(folder.Read(kExportTemplateBackupName), "[EXPORTOPTIONS]\r\nKey=old\r\n") << fault.what;
    EXPECT_EQ(folder.Listing(), std::string(kExportTemplateFileName) + " " + kExportTemplateBackupName)
        << fault.what;
  }
}

TEST_F(WriteFault, PaperSizesSaySoAndKeepTheOldFile) {
  const std::string file = (folder / kPaperSizeFileName).string();
  for (const FaultCase& fault : kFaults) {
    folder.Write(kPaperSizeFileName, "A4;297;210;old\r\n");
    text_file_faults::FailCall(fault.call, 1, fault.error);
    testing::ScriptedDialogs dialogs;
    dialogs.ExpectMessage(std::string("Error writing Papersize definition file: \r") + std::strerror(fault.error));
    EXPECT_FALSE(SavePaperSizeList(file, {{"A3", "420", "297", "new"}}, dialogs)) << fault.what;
    EXPECT_EQ(folder.Read(kPaperSizeFileName), "A4;297;210;old\r\n") << fault.what;
    EXPECT_EQ(folder.Listing(), kPaperSizeFileName) << fault.what;
  }
}

TEST_F(WriteFault, TranslatorSettingsKeepTheOldFileAtEitherStep) {
  // Call 1 is the backup's, call 2 the settings file's: either failing
  // leaves the settings file as it was.
  for (const int nth : {1, 2}) {
    for (const FaultCase& fault : kFaults) {
      folder.Write("dwgout.ini", "[EXPORT SELECT OPTIONS]\r\nA=old\r\n");
      folder.Write("dwgout.BAK", "[EXPORT SELECT OPTIONS]\r\nA=older\r\n");
      text_file_faults::FailCall(fault.call, nth, fault.error);
      const Status saved = SaveTranslatorSettings(folder / "dwgout.ini", {{"[EXPORT SELECT OPTIONS]", "", true, false},
                                                                          {"A", "new", false, true}});
      ASSERT_FALSE(saved) << fault.what << ", call " << nth;
      EXPECT_EQ(saved.failure().number, fault.error) << fault.what;
      EXPECT_EQ(folder.Read("dwgout.ini"), "[EXPORT SELECT OPTIONS]\r\nA=old\r\n") << fault.what << ", call " << nth;
      EXPECT_EQ(folder.Read("dwgout.BAK"), nth == 1 ? "[EXPORT SELECT OPTIONS]\r\nA=older\r\n"
                                                    : "[EXPORT SELECT OPTIONS]\r\nA=old\r\n")
          << fault.what << ", call " << nth;
      EXPECT_EQ(folder.Listing(), "dwgout.BAK dwgout.ini") << fault.what << ", call " << nth;
      text_file_faults::ClearFaults();
    }
  }
}

TEST_F(WriteFault, AFaultHappensOnceAtTheCallAskedFor) {
  text_file_faults::FailCall(Call::Rename, 2, EIO);
  EXPECT_TRUE(WriteProgramSettings({folder.string(), "/tmp"}, {}));
  EXPECT_FALSE(WriteProgramSettings({folder.string(), "/tmp"}, {}));
  EXPECT_TRUE(WriteProgramSettings({folder.string(), "/tmp"}, {}));
}

}  // namespace
}  // namespace korrin
