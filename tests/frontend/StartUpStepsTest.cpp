#include "frontend/StartUpSteps.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host/HostInstallation.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/FakeHost.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;

TEST(ProgramCaption, NamesTheHostReleaseWith52ShownAs53) {
  EXPECT_EQ(ProgramCaption("RegistryVersion5.2"), "Korrin for Inventor 5.3");
  EXPECT_EQ(ProgramCaption("RegistryVersion6.0"), "Korrin for Inventor 6.0");
  EXPECT_EQ(ProgramCaption("RegistryVersion7.0RegistryVersion"), "Korrin for Inventor 7.0");
}

TEST(ApprenticeSelfTest, SaysWhatFailedAndHowToGoOn) {
  testing::TemporaryFolder folder;
  testing::FakeConnector connector;
  const std::string program = folder.string() + "/";
  EXPECT_EQ(ApprenticeSelfTest(connector, folder.string()),
            "Could not open: " + program + "logo.ipt to verify Apprenticeserver\r"
            "This file should be present in the installationdirectory of Korrin\r"
            "You may create a new file with this name ( logo.ipt ) and put it in this directory\r\r"
            "Korrin may still function properly though");
  folder.Write("logo.ipt", "part");
  EXPECT_EQ(ApprenticeSelfTest(connector, folder.string()), "no document reader in this fake");
  EXPECT_EQ(ApprenticeFailureMessage("Boom"),
            "Apprentice failed: Boom\r"
            "If you have changed Inventorversion, while Korrin was running, shut down Korrin, and try again, or\r"
            "If You have changed Inventorversion then:\r"
            "  Shut down the running Inventor. Start it again and just open or create a file, close this document "
            "again\r"
            "  Exit and restart Inventor and now try Korrin again");
}

TEST(ExportFolderAtStart, FollowsTheSavedSwitchAndFallsBackToTheTemporaryFolder) {
  testing::TemporaryFolder folder;
  ProgramSettings settings;
  settings.BatchExportToFolder = "0";
  settings.BatchlastExportToFolder = folder.string();
  EXPECT_EQ(ExportFolderAtStart(settings, "/tmp"), std::nullopt);
  settings.BatchExportToFolder = "1";
  EXPECT_EQ(ExportFolderAtStart(settings, "/tmp"), folder.string());
  settings.BatchlastExportToFolder = folder.string() + "/gone";
  EXPECT_EQ(ExportFolderAtStart(settings, "/tmp"), "/tmp");
}

class ProjectFileAtStartTest : public ::testing::Test {
 protected:
  static constexpr const char* kTag = "RegistryVersion7.0";

  std::string ReferencesKey() const { return HostUserKey(kTag, kExternalReferencesKey); }
  void SetActiveProject(const std::string& path) {
    (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, ReferencesKey(), "");
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, ReferencesKey(), kActiveProjectValueName, path));
  }
  // The host keeps its project folder under a name made of its program path.
  void SetProjectFolder(const std::string& folder) {
    (void)registry_.CreateRegistryKey(RegistryRoot::LocalMachine, kHostAppPathsKey, "");
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostAppPathsKey, "Path", Install()));
    const std::string key = HostUserKey(kTag, kFilePreferencesKey);
    (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, key, "");
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, key, Install() + "Inventor.exe:ProjectDir",
                                             folder));
  }
  std::string Install() const { return folder_.string() + "/install/"; }

  testing::TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
};

TEST_F(ProjectFileAtStartTest, TakesTheActiveProjectThenTheProjectFolderThenTheDefault) {
  std::filesystem::create_directories(folder_ / "install");
  std::filesystem::create_directories(folder_ / "projects");
  EXPECT_EQ(ProjectFileAtStart(registry_, kTag, Install()), "");

  folder_.Write("install/default.ipj", "");
  EXPECT_EQ(ProjectFileAtStart(registry_, kTag, Install()), Install() + "default.ipj");

  SetProjectFolder(folder_.string() + "/projects");
  folder_.Write("projects/b.ipj", "");
  folder_.Write("projects/A.IPJ", "");
  folder_.Write("projects/c.txt", "");
  EXPECT_EQ(ProjectFileAtStart(registry_, kTag, Install()), folder_.string() + "/projects/A.IPJ");

  SetActiveProject("");
  EXPECT_EQ(ProjectFileAtStart(registry_, kTag, Install()), Install() + "default.ipj");
  std::filesystem::remove(folder_ / "install/default.ipj");
  EXPECT_EQ(ProjectFileAtStart(registry_, kTag, Install()), "");

  SetActiveProject("/work/vault.ipj");
  EXPECT_EQ(ProjectFileAtStart(registry_, kTag, Install()), "/work/vault.ipj");
}

TEST(FirstEntryContaining, MatchesCaseSensitivelyAndTakesTheFirst) {
  const std::vector<std::string> entries = {"Inventor Part Files (*.IPT)", "Inventor Assembly Files (*.IAM)",
                                            "Other Part Files (*.IPT)"};
  EXPECT_EQ(FirstEntryContaining(entries, "*.IPT"), entries[0]);
  EXPECT_EQ(FirstEntryContaining(entries, "*.IAM"), entries[1]);
  EXPECT_EQ(FirstEntryContaining(entries, "*.ipt"), std::nullopt);
}

}  // namespace
}  // namespace korrin
