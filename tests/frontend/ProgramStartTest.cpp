#include "frontend/ProgramStart.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/StartUpSteps.h"
#include "support/FakeHost.h"
#include "support/FakePrinters.h"
#include "support/FakeProcessTable.h"
#include "support/RecordingEventPump.h"
#include "support/ScriptedDialogs.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;

constexpr const char* kTag = "RegistryVersion7.0";

class ProgramStartTest : public ::testing::Test {
 protected:
  ProgramStartTest() {
    std::filesystem::create_directories(folder_ / "program");
    std::filesystem::copy_file(KORRIN_DATA_DIR "/KorrinExportTemplate.INI", folder_ / "program/KorrinExportTemplate.INI");
    std::filesystem::create_directories(folder_ / "host");
  }

  void InstallHost() {
    (void)registry_.CreateRegistryKey(RegistryRoot::LocalMachine, kHostVersionKey, "");
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion",
                                             std::string(kTag)));
    (void)registry_.CreateRegistryKey(RegistryRoot::LocalMachine, kHostAppPathsKey, "");
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostAppPathsKey, "Path",
                                             (folder_ / "host").string()));
    folder_.Write("host/default.ipj", "");
  }
  void SaveSettings(const std::string& lines) {
    folder_.Write("program/Korrin.ini", "[INI-Settings for Korrin]\r\n" + lines);
  }

  std::optional<ProgramState> Start(const std::function<bool(ProgramState&)>& choose = {}) {
    return StartProgram({registry_, connector_, processes_, dialogs_, events_, printers_,
                         {(folder_ / "program").string(), (folder_ / "tmp").string()}},
                        choose);
  }

  testing::TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
  testing::FakeConnector connector_;
  testing::FakeProcessTable processes_;
  testing::ScriptedDialogs dialogs_;
  testing::RecordingEventPump events_;
  testing::FakePrinters printers_;
};

// The fake host has no document reader, so the self-test always fails.
std::string ApprenticeFailureMessageForTest() { return ApprenticeFailureMessage("no document reader in this fake"); }

TEST_F(ProgramStartTest, EndsWhenNoHostIsInstalled) {
  dialogs_.ExpectMessage("Sorry, Inventor is not detected on this machine");
  EXPECT_EQ(Start(), std::nullopt);
}

TEST_F(ProgramStartTest, FillsTheFieldsFromTheSavedChoicesAndTheInstalledHost) {
  InstallHost();
  SaveSettings("BatchLastImportFilter=*.IAM\r\nBatchLastExportFilter=*.STP\r\nBatchExportToFolder=0\r\n"
               "BatchLastSettingFile=/cfg/mine.INI\r\nBatchLastImportDWGFile=/cfg/dwgin.ini\r\n");
  folder_.Write("program/logo.ipt", "part");
  dialogs_.ExpectMessage(ApprenticeFailureMessageForTest());
  const auto state = Start();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->caption, "Korrin for Inventor 7.0");
  EXPECT_EQ(state->version.hostVersionNumber, "7.0");
  EXPECT_EQ(state->installFolder, (folder_ / "host").string() + "/");
  EXPECT_EQ(state->projectFile, (folder_ / "host").string() + "/default.ipj");
  EXPECT_EQ(state->importCaption, "Inventor Assembly Files (*.IAM)");
  EXPECT_EQ(state->exportCaption, "STEP Files (*.STP)");
  EXPECT_EQ(state->settings.BatchLastExportFilter, "*.STP");
  EXPECT_EQ(state->exportIniFile, "/cfg/mine.INI");
  EXPECT_EQ(state->importIniFile, "/cfg/dwgin.ini");
  EXPECT_EQ(state->exportFolder, std::nullopt);
  EXPECT_FALSE(state->printDocuments);
  std::string value;
  EXPECT_TRUE(state->options.GetExportOption("STLValue", value));
}

TEST_F(ProgramStartTest, AFilterThatNamesNoFormatLeavesTheFirstOfferedExport) {
  InstallHost();
  SaveSettings("BatchLastImportFilter=*.IDW\r\nBatchLastExportFilter=*.stp\r\n");
  folder_.Write("program/logo.ipt", "part");
  dialogs_.ExpectMessage(ApprenticeFailureMessageForTest());
  const auto state = Start();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->exportCaption, "AutoCAD DWG Files (*.DWG)");
  EXPECT_EQ(state->settings.BatchLastExportFilter, "*.DWG");
}

TEST_F(ProgramStartTest, AFrontEndMayChooseTheFormatsOrEndBeforeTheHostIsTouched) {
  const auto refused = Start([](ProgramState&) { return false; });
  EXPECT_EQ(refused, std::nullopt);
  EXPECT_TRUE(dialogs_.shown().empty());

  ProgramState state;
  state.ChooseImportFormat("Inventor Drawing Files (*.IDW)");
  EXPECT_EQ(state.settings.BatchLastImportFilter, "*.IDW");
  EXPECT_EQ(state.exportCaption, "AutoCAD DWG Files (*.DWG)");
  state.SetExportIniFile("/cfg/dwgout.ini");
  state.ChooseExportFormat("AutoCAD DXF Files (*.DXF)");
  EXPECT_EQ(state.exportIniFile, "");  // no DXF file was chosen yet
  state.SetExportIniFile("/cfg/dxfout.ini");
  state.ChooseExportFormat("AutoCAD DWG Files (*.DWG)");
  EXPECT_EQ(state.exportIniFile, "/cfg/dwgout.ini");
  state.ChooseExportFormat("Printer");
  EXPECT_TRUE(state.printDocuments);
  EXPECT_FALSE(state.printEnabled);
  state.SetExportFolder("/out");
  EXPECT_EQ(state.settings.BatchExportToFolder, "1");
  EXPECT_EQ(state.settings.BatchlastExportToFolder, "/out");
  state.SetExportFolder(std::nullopt);
  EXPECT_EQ(state.settings.BatchExportToFolder, "0");
  EXPECT_EQ(state.settings.BatchlastExportToFolder, "/out");
}

}  // namespace
}  // namespace korrin
