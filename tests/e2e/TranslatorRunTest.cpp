// korrin-batch runs that depend on the host's translator settings: STL
// resolutions and the repair of imported geometry, which the host reads only
// when it starts, DWG and DXF imports, and drawings finished in AutoCAD.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "e2e/BatchFixture.h"
#include "support/FileBytes.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Converted;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

constexpr const char* kRestart =
    "Inventor needs to be shut down and restarted to implement the new setting.\nAllright to shut down and "
    "restart inventor ?\n";

class TranslatorRunTest : public testing::BatchFixture {
 protected:
  // Changes one line of the export template the program ships.
  void SetOption(const std::string& key, const std::string& value) {
    const std::string text = folder_.Read("home/KorrinExportTemplate.INI");
    const std::regex line("(^|\n)" + key + "=[^\r\n]*");
    const std::string changed = std::regex_replace(text, line, "$1" + key + "=" + value);
    ASSERT_NE(changed, text) << key;
    folder_.Write("home/KorrinExportTemplate.INI", changed);
  }

  std::string HostSession() const { return folder_.Read("host/Inventor/Bin/Inventor.session"); }

  static std::uint32_t Triangles(const std::string& stl) { return testing::LittleEndian32(stl, 80); }
};

TEST_F(TranslatorRunTest, ANewStlResolutionShutsTheRunningHostDownOnlyWhenTheUserAgrees) {
  const std::string part = Sample("parts/washer.ipt");
  testing::ProgramRun run = Export("*.IPT", "*.STL", {part});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::uint32_t before = Triangles(Read(Out("washer.stl")));
  EXPECT_NE(HostSession().find("stl-resolutions=20000 6300 2000"), std::string::npos) << "the host keeps running";

  SetOption("STLMedium", "500");
  const std::string question = "[question] Registry value ( 6300 ) is different from current setting ( 500 )\n" +
                               std::string(kRestart);
  run = Export("*.IPT", "*.STL", {part});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, question + "[answer] No\n");
  EXPECT_EQ(SplitLines(run.out), (Lines{"Checking Inventor Application, Export Formats and Settings", "Ready",
                                        "Summary: 0 converted, 0 skipped, 0 failed, 1 not reached"}));
  EXPECT_EQ(Triangles(Read(Out("washer.stl"))), before);

  run = Export("*.IPT", "*.STL", {part}, {"--yes"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, question + "[answer] Yes\n");
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(part, Out("washer.STL")),
                                         {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  EXPECT_NE(HostSession().find("stl-resolutions=20000 500 2000"), std::string::npos) << HostSession();
  const std::uint32_t after = Triangles(Read(Out("washer.stl")));
  EXPECT_LT(after, before);
  EXPECT_GT(after, 0u);

  // The host now runs with the new value: nothing more to ask.
  run = Export("*.IPT", "*.STL", {part});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Triangles(Read(Out("washer.stl"))), after);
}

}  // namespace
}  // namespace korrin
