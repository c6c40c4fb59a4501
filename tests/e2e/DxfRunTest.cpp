// korrin-batch runs that write and read DXF files, checked by an
// independent reader: ezdxf (Debian's python3-ezdxf) through
// tests/support/DxfReport.py.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/BatchFixture.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Converted;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

constexpr const char* kPython = "/usr/bin/python3";

Lines StartingWith(const Lines& lines, const std::string& start) {
  Lines found;
  for (const std::string& line : lines) {
    if (line.starts_with(start)) found.push_back(line);
  }
  return found;
}

class DxfRunTest : public testing::BatchFixture {
 protected:
  static Lines Report(const std::string& path) {
    const testing::ProgramRun run = testing::RunProgram(kPython, {KORRIN_DXF_REPORT, "report", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return SplitLines(run.out);
  }
};

TEST_F(DxfRunTest, TheSampleDrawingsExportToDxfFilesThatAnotherReaderFindsRight) {
  const struct {
    std::string name;
    Lines layouts;  // name, width and height in millimetres
  } drawings[] = {
      {"bracket", {"Sheet_1 297 210"}},  // a layout's name cannot hold a colon
      {"drive-unit", {"Assembly 1189 841", "Housing 841 594", "Details 594 420"}},
      {"flange", {"Sheet_1 431.8 279.4", "Notes 279.4 215.9"}},
  };
  Lines sources;
  Lines expected = kStarted;
  for (const auto& drawing : drawings) {
    sources.push_back(Sample("drawings/" + drawing.name + ".idw"));
    const Lines converted = Converted(sources.back(), Out(drawing.name + ".DXF"));
    expected.insert(expected.end(), converted.begin(), converted.end());
  }
  expected.insert(expected.end(), {"Ready", "Summary: 3 converted, 0 skipped, 0 failed"});
  const testing::ProgramRun run = Export("*.IDW", "*.DXF", sources);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), expected);

  for (const auto& drawing : drawings) {
    SCOPED_TRACE(drawing.name);
    const Lines report = Report(Out(drawing.name + ".dxf"));
    ASSERT_GE(report.size(), 3u);
    EXPECT_EQ(Lines(report.begin(), report.begin() + 3), (Lines{"audit 0 0", "version AC1015", "insunits 4"}));
    EXPECT_EQ(StartingWith(report, "layer HIDDEN "), Lines{"layer HIDDEN DASHED"});
    Lines layouts;
    for (const std::string& layout : drawing.layouts) layouts.push_back("layout " + layout);
    EXPECT_EQ(StartingWith(report, "layout "), layouts);
    for (const std::string& layout : drawing.layouts) {
      const std::string name = layout.substr(0, layout.find(' '));
      EXPECT_EQ(StartingWith(report, "outside " + name + " "), Lines{"outside " + name + " 0"});
      EXPECT_EQ(StartingWith(report, "count " + name + " FRAME "), Lines{"count " + name + " FRAME 1"});
      // Every sheet shows its drawing's models.
      EXPECT_EQ(StartingWith(report, "count " + name + " VISIBLE ").size(), 1u) << name;
      EXPECT_EQ(StartingWith(report, "count " + name + " HIDDEN ").size(), 1u) << name;
    }
  }
}

TEST_F(DxfRunTest, ADxfFileOfAnotherProgramImportsAsADrawingOfItsLayoutsSizes) {
  fs::create_directories(folder_ / "in");
  const std::string file = (folder_ / "in" / "front-back.dxf").string();
  const testing::ProgramRun written = testing::RunProgram(kPython, {KORRIN_DXF_REPORT, "write", "layouts", file});
  ASSERT_EQ(written.exitCode, 0) << written.err;

  const std::string settings = (folder_ / "host" / "Translator Settings" / "dxfin.ini").string();
  const testing::ProgramRun run = Export("*.DXF", "*.IAM", {file}, {"--import-ini", settings});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + file, "Exporting document: " + Out("front-back.IDW"), "Closing document(s)", "Ready",
                     "Summary: 1 converted, 0 skipped, 0 failed"}}));
  const std::string saved = Read(Out("front-back.idw"));
  EXPECT_EQ(saved.rfind("KORRIN STAND-IN DOCUMENT\r\nformat 1\r\ntype drawing\r\n", 0), 0u) << saved;
  EXPECT_NE(saved.find("\r\nsheet \"Front\" width 42 height 29.7 size-code 9994 border yes title-block no"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("\r\nsheet \"Back\" width 59.4 height 42 size-code 9995 border no title-block yes"),
            std::string::npos)
      << saved;
}

}  // namespace
}  // namespace korrin
