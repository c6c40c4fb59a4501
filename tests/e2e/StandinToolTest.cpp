#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/RunProgram.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(StandinTool, InstallsUnderARootAndSaysHowToPointKorrinAtIt) {
  testing::TemporaryFolder folder;
  const std::string root = (folder / "host").string();
  const testing::ProgramRun run =
      testing::RunProgram(testing::BuiltProgram("korrin-standin"), {"install", "--version", "6.0", "--root", root});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "Installing the stand-in host as release 6.0 (RegistryVersion6.0)\n"
            "Program folder: " + root + "/Inventor/Bin\n"
            "Projects: " + root + "/Projects\n"
            "Templates: " + root + "/Templates\n"
            "Translator settings: " + root + "/Translator Settings\n"
            "AutoCAD: SOFTWARE\\Autodesk\\AutoCAD\\R16.0\n"
            "Registry: 27 values written, 0 kept as they were\n"
            "Host program: " + root + "/Inventor/Bin/Inventor.exe\n"
            "Views helper: " + root + "/Inventor/Bin/BackAHL.exe\n"
            "AutoCAD program: " + root + "/AutoCAD/acad.exe\n"
            "Registry folder: " + root + "/registry\n"
            "Point Korrin at this host with:\n"
            "  KORRIN_REGISTRY=" + root + "/registry\n");
  // All are the host program itself, under the names the system lists
  // them by: links to it (or copies), never symbolic links.
  for (const char* name : {"Inventor/Bin/Inventor.exe", "Inventor/Bin/BackAHL.exe", "AutoCAD/acad.exe"}) {
    const std::filesystem::path placed = root + "/" + name;
    EXPECT_FALSE(std::filesystem::is_symlink(placed)) << name;
    EXPECT_EQ(std::filesystem::file_size(placed), std::filesystem::file_size(testing::BuiltProgram("korrin-host")))
        << name;
    EXPECT_EQ(::access(placed.c_str(), X_OK), 0) << name;
  }
  // Installing again replaces them.
  EXPECT_EQ(testing::RunProgram(testing::BuiltProgram("korrin-standin"), {"install", "--version", "6.0", "--root", root})
                .exitCode,
            0);
  EXPECT_TRUE(std::filesystem::is_regular_file(root + "/Inventor/Bin/Inventor.exe"));
  EXPECT_FALSE(std::filesystem::exists(root + "/Inventor/Bin/Inventor.exe.placing"));

  // The registry tool reads what the installation wrote.
  const testing::ProgramRun query =
      testing::RunProgram(testing::BuiltProgram("korrin-reg"),
                          {"query", "HKLM\\SOFTWARE\\Autodesk\\Inventor\\Current Version", "/v", "RegistryVersion"},
                          {"KORRIN_REGISTRY=" + root + "/registry"});
  EXPECT_EQ(query.out,
            "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\Inventor\\Current Version\n"
            "    RegistryVersion    REG_SZ    RegistryVersion6.0\n\n");
}

TEST(StandinTool, LeavesAutocadOutWhenAsked) {
  testing::TemporaryFolder folder;
  const testing::ProgramRun run = testing::RunProgram(
      testing::BuiltProgram("korrin-standin"), {"install", "--without-autocad", "--root", folder.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\nAutoCAD: left out\nRegistry: 24 values written, 0 kept as they were\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("AutoCAD program: "), std::string::npos) << run.out;
  EXPECT_FALSE(std::filesystem::exists(folder / "AutoCAD"));
}

TEST(StandinTool, RefusesUnknownVersionsAndArguments) {
  testing::TemporaryFolder folder;
  const testing::ProgramRun version = testing::RunProgram(
      testing::BuiltProgram("korrin-standin"), {"install", "--version", "4.0", "--root", folder.string()});
  EXPECT_EQ(version.exitCode, 1);
  EXPECT_EQ(version.err,
            "korrin-standin: The stand-in host cannot be installed as version \"4.0\": choose 5.2, 5.3, 6.0 or 7.0.\n");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, {"install", "--root"}, {"install", "--colour", "red"}, {"uninstall"},
        {"install", "--without-autocad", "--version"}}) {
    EXPECT_EQ(testing::RunProgram(testing::BuiltProgram("korrin-standin"), arguments).exitCode, 2);
  }
}

}  // namespace
}  // namespace korrin
