// The documents whose geometry Open CASCADE crashes on, inside its own
// reader, converted through a real host: the host's process dies, never
// korrin-batch's; each such entry fails, the host is restarted and the next
// document converts.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/BatchFixture.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Lines;
using testing::SplitLines;

class HostRegressionTest : public testing::BatchFixture {};

TEST_F(HostRegressionTest, ADocumentThatCrashesTheHostFailsItsEntryAndTheNextConverts) {
  fs::create_directories(folder_ / "docs");
  std::vector<std::string> crashing;
  for (const auto& entry : fs::directory_iterator(KORRIN_HOST_REGRESSIONS)) {
    if (entry.path().extension() != ".ipt") continue;
    fs::copy_file(entry.path(), folder_ / "docs" / entry.path().filename());
    crashing.push_back(entry.path().stem().string());
  }
  ASSERT_FALSE(crashing.empty()) << "no documents in " << KORRIN_HOST_REGRESSIONS;
  std::sort(crashing.begin(), crashing.end());
  fs::copy_file(Sample("parts/pin.ipt"), folder_ / "docs" / "zz-pin.ipt");

  const testing::ProgramRun run = Export("*.IPT", "*.STP", {(folder_ / "docs").string()});
  EXPECT_EQ(run.exitCode, 1) << run.err;  // entries failed; no signal ended the program
  const Lines lines = SplitLines(run.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
            (Lines{"Ready", "Summary: 1 converted, 0 skipped, " + std::to_string(crashing.size()) + " failed"}));

  // Whether the host dies or one day fails the export cleanly, the entry
  // fails on its save and the run goes on.
  const std::string summary = Summary();
  for (const std::string& name : crashing) {
    SCOPED_TRACE(name);
    const std::string source = (folder_ / "docs" / (name + ".ipt")).string();
    const auto exporting = std::find(lines.begin(), lines.end(), "Exporting document: " + Out(name + ".STP"));
    ASSERT_LT(exporting + 1, lines.end()) << run.out;
    EXPECT_EQ(exporting[1].rfind("Error saving: " + Out(name + ".stp") + ": ", 0), 0u) << exporting[1];
    EXPECT_NE(summary.find("\n" + source + ",failed,"), std::string::npos) << summary;
  }
  EXPECT_NE(summary.find("\n" + (folder_ / "docs" / "zz-pin.ipt").string() + ",converted,\r\n"), std::string::npos)
      << summary;
  EXPECT_TRUE(fs::is_regular_file(Out("zz-pin.stp")));
}

}  // namespace
}  // namespace korrin
