#include <gtest/gtest.h>

#include <string>

#include "host/HostInstallation.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

// A registry prepared the way an installed host leaves it.
class HostInstallationTest : public ::testing::Test {
 protected:
  void InstallVersion(const std::string& valueName, const RegistryWriteValue& tag) {
    (void)registry_.CreateRegistryKey(kMachine, kHostVersionKey, "");
    ASSERT_TRUE(registry_.WriteRegistryValue(kMachine, kHostVersionKey, "Current", "unrelated"s));
    ASSERT_TRUE(registry_.WriteRegistryValue(kMachine, kHostVersionKey, valueName, tag));
  }
  void InstallFolders(const std::string& programFolder, const std::string& tag) {
    (void)registry_.CreateRegistryKey(kMachine, kHostAppPathsKey, "");
    ASSERT_TRUE(registry_.WriteRegistryValue(kMachine, kHostAppPathsKey, "Path", programFolder));
    const std::string key = HostUserKey(tag, kFilePreferencesKey);
    (void)registry_.CreateRegistryKey(kUser, key, "");
    const std::string folder = programFolder.back() == '\\' ? programFolder : programFolder + "\\";
    ASSERT_TRUE(registry_.WriteRegistryValue(kUser, key, folder + "Inventor.exe:ProjectDir", "C:\\Projects"s));
    ASSERT_TRUE(registry_.WriteRegistryValue(kUser, key, folder + "Inventor.exe:TemplateDir", "C:\\Templates"s));
  }

  testing::TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
  testing::ScriptedDialogs dialogs_;
};

TEST_F(HostInstallationTest, VersionNumbersFollowTheTag) {
  struct Case {
    std::string tag;
    std::string number;
  };
  const std::vector<Case> cases = {
      {"RegistryVersion5.2", "5.3"},   // 5.2 keys belong to release 5.3
      {"RegistryVersion5.3", "5.3"},
      {"RegistryVersion6.0", "6.0"},
      {"RegistryVersion12.0", "12.0"},
      {"RegistryVersion7", "7.0"},     // no minor part
      {"RegistryVersion9.x", "9.0"},   // a minor part without digits
  };
  for (const Case& test : cases) {
    InstallVersion("RegistryVersion", test.tag);
    const HostVersion version = DetectHostVersion(registry_, dialogs_);
    EXPECT_EQ(version.registryVersionTag, test.tag);
    EXPECT_EQ(version.hostVersionNumber, test.number) << test.tag;
    EXPECT_FALSE(version.endProgram) << test.tag;
  }
}

TEST_F(HostInstallationTest, TheValueNameMatchesInAnyCase) {
  InstallVersion("registryversion", "RegistryVersion6.0"s);
  EXPECT_EQ(DetectHostVersion(registry_, dialogs_).hostVersionNumber, "6.0");
}

TEST_F(HostInstallationTest, VersionsBefore53AreRefusedWithTheMessage) {
  InstallVersion("RegistryVersion", "RegistryVersion5.1"s);
  dialogs_.ExpectMessage(
      "Sorry, the program uses Inventor API routines that's only implemented from version 5.3\r"
      "The actual version in the registrydatabase is Inventor 5.1\r"
      "Start Inventor in a later version and try again...");
  const HostVersion version = DetectHostVersion(registry_, dialogs_);
  EXPECT_TRUE(version.endProgram);
  EXPECT_EQ(version.hostVersionNumber, "5.1");
  EXPECT_EQ(version.registryVersionTag, "RegistryVersion5.1");
}

TEST_F(HostInstallationTest, MinorPartsCompareAsNumbers) {
  InstallVersion("RegistryVersion", "RegistryVersion4.10"s);
  dialogs_.ExpectMessage(
      "Sorry, the program uses Inventor API routines that's only implemented from version 5.3\r"
      "The actual version in the registrydatabase is Inventor 4.10\r"
      "Start Inventor in a later version and try again...");
  EXPECT_TRUE(DetectHostVersion(registry_, dialogs_).endProgram);
  InstallVersion("RegistryVersion", "RegistryVersion5.10"s);
  EXPECT_FALSE(DetectHostVersion(registry_, dialogs_).endProgram);
}

TEST_F(HostInstallationTest, NoUsableTagLeavesTheVersionUnset) {
  // No key at all, no such value, a number instead of text, no digits.
  EXPECT_EQ(DetectHostVersion(registry_, dialogs_).registryVersionTag, "");
  InstallVersion("Other", "RegistryVersion6.0"s);
  EXPECT_EQ(DetectHostVersion(registry_, dialogs_).registryVersionTag, "");
  InstallVersion("RegistryVersion", std::int32_t{6});
  EXPECT_EQ(DetectHostVersion(registry_, dialogs_).registryVersionTag, "");
  for (const char* tag : {"RegistryVersion", "RegistryVersion.5", "Unknown.Release"}) {
    InstallVersion("RegistryVersion", std::string(tag));
    const HostVersion version = DetectHostVersion(registry_, dialogs_);
    EXPECT_EQ(version.registryVersionTag, "") << tag;
    EXPECT_EQ(version.hostVersionNumber, "") << tag;
    EXPECT_FALSE(version.endProgram) << tag;
  }
}

TEST_F(HostInstallationTest, FoldersAreReadUnderNamesHoldingTheProgramFolder) {
  EXPECT_EQ(HostInstallFolder(registry_, '\\'), "");
  InstallFolders("C:\\Prog\\Inventor\\Bin", "RegistryVersion6.0");
  EXPECT_EQ(HostInstallFolder(registry_, '\\'), "C:\\Prog\\Inventor\\Bin\\");
  EXPECT_EQ(HostProjectFolder(registry_, "RegistryVersion6.0", '\\'), "C:\\Projects");
  EXPECT_EQ(HostTemplateFolder(registry_, "RegistryVersion6.0", '\\'), "C:\\Templates");
  EXPECT_EQ(HostProjectFolder(registry_, "RegistryVersion5.2", '\\'), "");

  // A folder that already ends with its separator gets no second one.
  ASSERT_TRUE(registry_.WriteRegistryValue(kMachine, kHostAppPathsKey, "Path", "/opt/inventor/bin/"s));
  EXPECT_EQ(HostInstallFolder(registry_, '/'), "/opt/inventor/bin/");
}

TEST_F(HostInstallationTest, SetHostProjectWritesTheActiveProject) {
  const std::string key = HostUserKey("RegistryVersion6.0", kExternalReferencesKey);
  EXPECT_EQ(key, "Software\\Autodesk\\Inventor\\RegistryVersion6.0\\System\\Preferences\\External References");
  std::string project = (folder_ / "demo.ipj").string();
  // The key is the host's: without it nothing is written.
  EXPECT_FALSE(SetHostProject(registry_, "RegistryVersion6.0", project));
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, key, ""));
  ASSERT_TRUE(SetHostProject(registry_, "RegistryVersion6.0", project));
  RegistryValue written;
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, key, "Path File", written));
  EXPECT_EQ(written, RegistryValue(project));
}

}  // namespace
}  // namespace korrin
