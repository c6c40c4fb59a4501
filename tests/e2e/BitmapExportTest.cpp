// korrin-batch exports to bitmaps, each file read back by Pillow under
// Debian's own Python: a picture of the model at the size asked.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/BatchFixture.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Lines;
using testing::SplitLines;

constexpr const char* kPython = "/usr/bin/python3";
// The share of a picture's pixels, in per cent, that must differ from its
// background for it to count as showing something.
constexpr const char* kLeastPercent = "2";

const Lines kParts = {"bracket", "hole-plate", "stepped-shaft", "flange",  "washer",  "bushing",
                      "spacer-block", "pin", "hex-nut", "gear", "housing", "cover-plate"};

class BitmapExportTest : public testing::BatchFixture {
 protected:
  // The checker's lines, and whether it found everything right.
  testing::ProgramRun Check(const std::string& width, const std::string& height, const Lines& names) const {
    Lines arguments = {KORRIN_BITMAP_CHECK, width, height, kLeastPercent};
    for (const std::string& name : names) arguments.push_back(Out(name + ".bmp"));
    return testing::RunProgram(kPython, arguments);
  }

  static Lines AllRight(const Lines& names) {
    Lines lines;
    for (const std::string& name : names) lines.push_back(name + ".bmp: ok");
    lines.push_back("all " + std::to_string(names.size()) + " pictures differ");
    return lines;
  }
};

TEST_F(BitmapExportTest, EverySamplePartAndAssemblyBecomesAPictureOfItsOwn) {
  SetOption("BMP_X", "320");
  SetOption("BMP_Y", "240");
  Lines parts;
  for (const std::string& name : kParts) parts.push_back(Sample("parts/" + name + ".ipt"));
  testing::ProgramRun run = Export("*.IPT", "*.BMP", parts);
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(SplitLines(run.out).back(), "Summary: 12 converted, 0 skipped, 0 failed");
  run = Export("*.IAM", "*.BMP", {Sample("assemblies/drive-unit.iam"), Sample("assemblies/shaft-set.iam")});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(SplitLines(run.out).back(), "Summary: 2 converted, 0 skipped, 0 failed");

  Lines pictures = kParts;
  pictures.insert(pictures.end(), {"drive-unit", "shaft-set"});
  const testing::ProgramRun check = Check("320", "240", pictures);
  EXPECT_EQ(SplitLines(check.out), AllRight(pictures)) << check.err;
  EXPECT_EQ(check.exitCode, 0) << check.err;
}

TEST_F(BitmapExportTest, WithoutASizeTheViewWindowsIsTakenAndTheSamePartGivesTheSameBytes) {
  // The shipped template asks for 0 x 0: the view window's client area.
  const std::string washer = Sample("parts/washer.ipt");
  testing::ProgramRun run = Export("*.IPT", "*.BMP", {washer});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  testing::ProgramRun check = Check("1024", "768", {"washer"});
  EXPECT_EQ(SplitLines(check.out), AllRight({"washer"})) << check.err;
  EXPECT_EQ(check.exitCode, 0);

  const std::string first = Read(Out("washer.bmp"));
  fs::remove(Out("washer.bmp"));
  run = Export("*.IPT", "*.BMP", {washer});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(Read(Out("washer.bmp")), first);

  // The checker fails what it should: a part without a shape shows only the
  // view's background, and the same picture under two names is one picture.
  folder_.Write("empty.ipt", testing::Document("part", "environment \"Part\"\r\n"));
  run = Export("*.IPT", "*.BMP", {(folder_ / "empty.ipt").string()});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  fs::copy_file(Out("washer.bmp"), Out("washer-copy.bmp"));
  check = Check("1024", "768", {"empty", "washer", "washer-copy"});
  EXPECT_EQ(SplitLines(check.out), (Lines{"empty.bmp: only 0.0 % of its pixels differ from the background",
                                          "washer.bmp: ok", "washer-copy.bmp: ok",
                                          "the same picture: washer.bmp and washer-copy.bmp"}));
  EXPECT_EQ(check.exitCode, 1);
  check = Check("640", "480", {"washer"});
  EXPECT_EQ(SplitLines(check.out), (Lines{"washer.bmp: is 1024 x 768 pixels", "all 1 pictures differ"}));
  EXPECT_EQ(check.exitCode, 1);
}

}  // namespace
}  // namespace korrin
