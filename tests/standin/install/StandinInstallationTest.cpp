#include <gtest/gtest.h>

#include "StandinInstallation.h"
#include "host/AcadInstallation.h"
#include "documents/StandinDocumentReader.h"
#include "host/HostInstallation.h"
#include "platform/linux/SqliteRegistry.h"
#include "settings/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;

class StandinInstallationTest : public ::testing::Test {
 protected:
  Result<std::vector<std::string>> Install(const std::string& version,
                                           standin::AutocadChoice autocad = standin::AutocadChoice::Include) {
    return standin::InstallStandin(registry_, places_, version, autocad);
  }
  std::string ReadText(RegistryRoot root, const std::string& key, const std::string& name) {
    RegistryValue value;
    if (!registry_.ReadRegistryValue(root, key, name, value)) return "<missing>";
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return std::to_string(std::get<std::int32_t>(value));
  }

  testing::TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
  standin::InstallPlaces places_ = standin::PlacesUnder(folder_.string());
  testing::ScriptedDialogs dialogs_;
};

TEST_F(StandinInstallationTest, TheProgramFindsTheInstalledHost) {
  ASSERT_TRUE(Install("7.0").ok());
  const HostVersion version = DetectHostVersion(registry_, dialogs_);
  EXPECT_EQ(version.registryVersionTag, "RegistryVersion7.0");
  EXPECT_EQ(version.hostVersionNumber, "7.0");
  EXPECT_EQ(HostInstallFolder(registry_), (folder_ / "Inventor/Bin/").string());
  EXPECT_EQ(HostProjectFolder(registry_, version.registryVersionTag), (folder_ / "Projects").string());
  EXPECT_EQ(HostTemplateFolder(registry_, version.registryVersionTag), (folder_ / "Templates").string());
  const std::string prefix = "Software\\Autodesk\\Inventor\\RegistryVersion7.0";
  EXPECT_EQ(ReadText(RegistryRoot::CurrentUser, prefix + "\\System\\Preferences\\External References", "Path File"),
            (folder_ / "Projects/default.ipj").string());
  EXPECT_EQ(ReadText(RegistryRoot::CurrentUser, prefix + "\\System\\Preferences\\STL Output", "Medium Resolution"),
            "6300");
  EXPECT_EQ(ReadText(RegistryRoot::CurrentUser, prefix + "\\Translators\\IgesTranslator", "EnableHealing"), "1");
  EXPECT_EQ(ReadText(RegistryRoot::CurrentUser, prefix + "\\Translators\\DWG\\Last INI file", "Last Import DXF INI file"),
            (folder_ / "Translator Settings/dxfin.ini").string());
}

TEST_F(StandinInstallationTest, ItLeavesProjectsTemplatesAndTranslatorSettings) {
  ASSERT_TRUE(Install("6.0").ok());
  for (const auto& [name, type] : {std::pair{"Standard.ipt", standin::DocumentType::Part},
                                   std::pair{"Standard.iam", standin::DocumentType::Assembly},
                                   std::pair{"Standard.idw", standin::DocumentType::Drawing}}) {
    auto document = standin::ReadStandinDocument(folder_ / "Templates" / name);
    ASSERT_TRUE(document.ok()) << name;
    EXPECT_EQ(document.value().type, type) << name;
    EXPECT_EQ(document.value().release, (standin::StandinRelease{6, 0})) << name;
  }
  EXPECT_EQ(ReadTextFile(folder_ / "Translator Settings/dwgout.ini").lines.at(0), "[EXPORT SELECT OPTIONS]");
  EXPECT_EQ(ReadTextFile(folder_ / "Translator Settings/dwgin.ini").lines.at(0), "[IMPORT FILE TYPE]");
  const auto project = ReadTextFile(folder_ / "Projects/default.ipj").lines;
  EXPECT_EQ(project, (std::vector<std::string>{"[Project]", "NAME=Default",
                                               "WORKSPACE=" + (folder_ / "Projects/Workspace").string()}));
  EXPECT_TRUE(folder_.Exists("Projects/Samples.ipj"));
}

TEST_F(StandinInstallationTest, VersionsOf52BelongToRelease53) {
  ASSERT_TRUE(Install("5.2").ok());
  const HostVersion version = DetectHostVersion(registry_, dialogs_);
  EXPECT_EQ(version.registryVersionTag, "RegistryVersion5.2");
  EXPECT_EQ(version.hostVersionNumber, "5.3");
  EXPECT_EQ(standin::ReadStandinDocument(folder_ / "Templates/Standard.ipt").value().release,
            (standin::StandinRelease{5, 3}));
}

TEST_F(StandinInstallationTest, InstallingAgainKeepsWhatTheUserChanged) {
  auto first = Install("7.0");
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(first.value().front(), "Installing the stand-in host as release 7.0 (RegistryVersion7.0)");
  EXPECT_EQ(first.value().back(), "Registry: 27 values written, 0 kept as they were");
  const std::string stl = "Software\\Autodesk\\Inventor\\RegistryVersion7.0\\System\\Preferences\\STL Output";
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, stl, "Medium Resolution", "500"s));
  folder_.Write("Translator Settings/dwgout.ini", "[EXPORT SELECT OPTIONS]\r\nAUTOCAD VERSION=R14\r\n");

  auto second = Install("7.0");
  ASSERT_TRUE(second.ok());
  // The places of the programs are written anew, the rest kept.
  EXPECT_EQ(second.value().back(), "Registry: 3 values written, 24 kept as they were");
  EXPECT_EQ(ReadText(RegistryRoot::CurrentUser, stl, "Medium Resolution"), "500");
  EXPECT_EQ(folder_.Read("Translator Settings/dwgout.ini"), "[EXPORT SELECT OPTIONS]\r\nAUTOCAD VERSION=R14\r\n");
}

TEST_F(StandinInstallationTest, EachInstallationStartsTheRecordOfFailedFirstOpensEmpty) {
  ASSERT_TRUE(Install("7.0").ok());
  EXPECT_EQ(folder_.Read("Inventor/Bin/Inventor.first-opens"), "KORRIN STAND-IN FIRST OPENS\r\n");
  folder_.Write("Inventor/Bin/Inventor.first-opens", "KORRIN STAND-IN FIRST OPENS\r\n/p/a.ipt\r\n");
  ASSERT_TRUE(Install("7.0").ok());
  EXPECT_EQ(folder_.Read("Inventor/Bin/Inventor.first-opens"), "KORRIN STAND-IN FIRST OPENS\r\n");
}

TEST_F(StandinInstallationTest, AnAutocadIsInstalledBesideTheHostUnlessLeftOut) {
  auto left = Install("7.0", standin::AutocadChoice::LeaveOut);
  ASSERT_TRUE(left.ok());
  EXPECT_EQ(left.value().end()[-2], "AutoCAD: left out");
  EXPECT_EQ(left.value().back(), "Registry: 24 values written, 0 kept as they were");
  EXPECT_FALSE(standin::AcadInstalled(registry_));
  EXPECT_EQ(standin::AcadProgramFolder(registry_), "");
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::LocalMachine, "SOFTWARE\\Autodesk\\AutoCAD"));

  auto included = Install("7.0");
  ASSERT_TRUE(included.ok());
  EXPECT_EQ(included.value().end()[-2], "AutoCAD: SOFTWARE\\Autodesk\\AutoCAD\\R16.0");
  EXPECT_TRUE(standin::AcadInstalled(registry_));
  EXPECT_EQ(ReadText(RegistryRoot::LocalMachine, "SOFTWARE\\Autodesk\\AutoCAD", "CurVer"), "R16.0");
  EXPECT_EQ(ReadText(RegistryRoot::LocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R16.0", "ProductName"),
            "AutoCAD (Korrin stand-in)");
  EXPECT_EQ(standin::AcadProgramFolder(registry_), (folder_ / "AutoCAD").string() + "/");
}

TEST_F(StandinInstallationTest, AnUnknownVersionInstallsNothing) {
  auto refused = Install("8.0");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure().description,
            "The stand-in host cannot be installed as version \"8.0\": choose 5.2, 5.3, 6.0 or 7.0.");
  EXPECT_FALSE(folder_.Exists("registry"));
  EXPECT_FALSE(folder_.Exists("Templates"));
}

}  // namespace
}  // namespace korrin
