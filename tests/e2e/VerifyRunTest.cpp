// korrin-batch checking the stand-in's verification samples instead of
// converting them, compared with the whole expected output.

#include <gtest/gtest.h>

#include <string>

#include "e2e/BatchFixture.h"

namespace korrin {
namespace {

using testing::Lines;
using testing::SplitLines;

const std::string kSeparator(69, '-');

class VerifyRunTest : public testing::BatchFixture {
 protected:
  std::string V(const std::string& name) const { return Sample("verify/" + name); }
  static std::string Indent(int level) { return std::string(static_cast<std::size_t>(level) * 5, ' '); }
};

TEST_F(VerifyRunTest, VerifyWritesEveryOccurrenceOfTheTreeAndWhatFailed) {
  const testing::ProgramRun run =
      Batch({"--import", "*.IAM", "--verify", V("tree/top.iam"), V("cycle-a.iam"), V("features-only.iam"),
             V("missing-reference.iam")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  Lines hub = {Indent(3) + V("tree/hub.iam"), Indent(4) + V("tree/bearing.ipt"), Indent(4) + V("tree/nut.ipt")};
  Lines axle = {Indent(2) + V("tree/axle.iam"), Indent(3) + V("tree/shaft.ipt")};
  axle.insert(axle.end(), hub.begin(), hub.end());
  axle.insert(axle.end(), hub.begin(), hub.end());
  Lines tree = {kSeparator, "Verifying " + V("tree/top.iam"), "Up to date...", Indent(1) + V("tree/frame.iam"),
                Indent(2) + V("tree/plate.ipt")};
  tree.insert(tree.end(), axle.begin(), axle.end());
  tree.push_back(Indent(1) + V("tree/drive.iam"));
  tree.insert(tree.end(), axle.begin(), axle.end());
  tree.insert(tree.end(), {Indent(2) + V("tree/bolt.ipt"), Indent(1) + V("tree/bolt.ipt")});
  // The list keeps its entries sorted, so the tree comes last.
  Lines expected = {
      kSeparator,
      "Verifying " + V("cycle-a.iam"),
      "Up to date...",
      Indent(1) + V("cycle-b.iam"),
      Indent(2) + V("cycle-a.iam"),
      "Circular reference: " + V("cycle-a.iam") + " refers back to itself through its references",
      "Error resolving: " + V("cycle-a.iam") + "   Assembly",
      "Error resolving: " + V("cycle-b.iam") + "   Assembly",
      "Errors...",
      kSeparator,
      "Verifying " + V("features-only.iam"),
      "Up to date...",
      Indent(1) + V("rib.ide"),
      Indent(1) + V("notch.ide"),
      "Errors...",
      kSeparator,
      "Verifying " + V("missing-reference.iam"),
      "Up to date...",
      Indent(1) + V("status-up-to-date.ipt"),
      Indent(1) + V("missing-part.ipt"),
      "Errors...",
  };
  expected.insert(expected.end(), tree.begin(), tree.end());
  expected.insert(expected.end(), {"Verification finished", "Summary: 1 verified cleanly, 3 with errors"});
  EXPECT_EQ(SplitLines(run.out), expected);
}

TEST_F(VerifyRunTest, VerifyRefusesWhatItCannotCheck) {
  testing::ProgramRun run = Batch({"--import", "*.IDE", "--verify", V("rib.ide")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "[message] Files must be Inventor documents\n");
  EXPECT_EQ(SplitLines(run.out), Lines{"Verification finished"});
  run = Batch({"--import", "*.IPT", "--verify", V("status-up-to-date.ipt"), "--project", ""});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "[message] No projectfile specified\n");
}

TEST_F(VerifyRunTest, ValidatePrintsTheReportAndItsLegendAndWritesItAsCsv) {
  const std::string csv = (folder_ / "report.csv").string();
  const testing::ProgramRun run = Batch({"--import", "*.IPT", "--validate", "--summary", csv, V("")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "[question] Main Directory: " + V("").substr(0, V("").size() - 1) +
                         "\nRecurse SubDirectories ?\n[answer] No\n");
  const std::size_t width = V("status-cannot-compute.ipt").size();
  const auto row = [&](bool red, const std::string& name, const std::string& version, int mark,
                       const std::string& other) {
    std::string line = std::string(red ? "!" : " ") + "  " + V(name) + std::string(width - V(name).size(), ' ') +
                       "  " + version + "  ";
    for (int column = 0; column < 7; ++column) line += std::string(column == mark ? "*" : "-") + "   ";
    return line + other;
  };
  const Lines expected = {
      "   Document" + std::string(width - 8, ' ') + "  Ver  Cc  De  Dl  Ie  Od  Us  Nm  Other",
      row(true, "needs-migrating.ipt", "6.0", 6, "File created in older Inventor, not recommended, but may work"),
      row(true, "newer-minor.ipt", "7.1", -1, "File created in newer Inventor, not supported"),
      row(false, "status-cannot-compute.ipt", "7.0", 0, "-"),
      row(false, "status-deleted.ipt", "7.0", 1, "-"),
      row(false, "status-driver-lost.ipt", "7.0", 2, "-"),
      row(false, "status-in-error.ipt", "7.0", 3, "-"),
      row(false, "status-out-of-date.ipt", "7.0", 4, "-"),
      row(false, "status-unknown.ipt", "7.0", 5, "-"),
      row(false, "status-up-to-date.ipt", "7.0", -1, "-"),
      "",
      "Validation legend",
      "Cc=Cannot compute: Assembly cannot be evaluated:",
      "De=Deleted: Assembly/Part has been destroyed, i.e. bad reference",
      "Dl=Driver lost: Assembly/Part is driven from another application/add-in which has been disconnected",
      "Ie=In Error: Assembly has update errors",
      "Od=Out of Date: Some parts or the assembly has changed",
      "Us=Unknown status: Status not recognized",
      "Nm=Need Migration: Current Inventor is newer",
      "Validation finished",
      "Summary: 1 without findings, 8 with findings",
  };
  EXPECT_EQ(SplitLines(run.out), expected);
  const std::string written = folder_.Read("report.csv");
  EXPECT_EQ(written.substr(0, written.find("\r\n", written.find("\r\n") + 2) + 2),
            "Document,Ver,Cc,De,Dl,Ie,Od,Us,Nm,Other,Red\r\n" + V("needs-migrating.ipt") +
                ",6.0,-,-,-,-,-,-,*,\"File created in older Inventor, not recommended, but may work\",yes\r\n");
  EXPECT_NE(written.find(V("status-up-to-date.ipt") + ",7.0,-,-,-,-,-,-,-,-,no\r\n"), std::string::npos) << written;
}

}  // namespace
}  // namespace korrin
