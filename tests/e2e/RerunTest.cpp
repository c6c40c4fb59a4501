// korrin-batch run again over documents it has converted, and listing a
// run without making it.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
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

class RerunTest : public testing::BatchFixture {
 protected:
  static Lines UpToDate(const std::string& output) {
    return {"Up to date: " + output, "Closing document(s)"};
  }
  // Touches the source, as saving an edit would.
  static void Edit(const std::string& source) { fs::last_write_time(source, fs::file_time_type::clock::now()); }
};

TEST_F(RerunTest, ASecondRunSkipsWhatIsDoneAndConvertsOnlyWhatChanged) {
  const std::string bracket = Sample("parts/bracket.ipt");
  const std::string pin = Sample("parts/pin.ipt");
  const std::string washer = Sample("parts/washer.ipt");
  const Lines parts = {bracket, pin, washer};

  testing::ProgramRun run = Export("*.IPT", "*.STP", parts, {"--skip-existing"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(bracket, Out("bracket.STP")),
                                         Converted(pin, Out("pin.STP")), Converted(washer, Out("washer.STP")),
                                         {"Ready", "Summary: 3 converted, 0 skipped, 0 failed"}}));
  // The later columns: the file written, the source's size, the time taken.
  const std::regex row("(.*),converted,,(.*),([0-9]+),([0-9]+\\.[0-9]{3})");
  const Lines rows = SplitLines(FullSummary());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], "path,outcome,reason,outputs,bytes,seconds\r");
  for (std::size_t n = 0; n < parts.size(); ++n) {
    std::smatch match;
    const std::string line = rows[n + 1].substr(0, rows[n + 1].size() - 1);
    ASSERT_TRUE(std::regex_match(line, match, row)) << line;
    EXPECT_EQ(match[1], parts[n]);
    EXPECT_EQ(match[2], Out(fs::path(parts[n]).stem().string() + ".stp"));
    EXPECT_EQ(std::stoll(match[3]), static_cast<long long>(fs::file_size(parts[n])));
  }

  run = Export("*.IPT", "*.STP", parts, {"--skip-existing"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, UpToDate(Out("bracket.stp")), UpToDate(Out("pin.stp")),
                    UpToDate(Out("washer.stp")),
                    {"Ready", "Summary: 0 converted, 0 skipped, 0 failed, 3 up to date"}}));
  EXPECT_EQ(Summary(), "path,outcome,reason\r\n" + bracket + ",up to date,Up to date: " + Out("bracket.stp") +
                           "\r\n" + pin + ",up to date,Up to date: " + Out("pin.stp") + "\r\n" + washer +
                           ",up to date,Up to date: " + Out("washer.stp") + "\r\n");

  // One source edited, one output removed: those two are converted again.
  Edit(pin);
  fs::remove(Out("washer.stp"));
  run = Export("*.IPT", "*.STP", parts, {"--skip-existing"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, UpToDate(Out("bracket.stp")),
                                         Converted(pin, Out("pin.STP")), Converted(washer, Out("washer.STP")),
                                         {"Ready", "Summary: 2 converted, 0 skipped, 0 failed, 1 up to date"}}));
  EXPECT_GT(fs::last_write_time(Out("pin.stp")), fs::last_write_time(pin));

  // Without the option everything is converted again.
  run = Export("*.IPT", "*.STP", parts);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Summary: 3 converted, 0 skipped, 0 failed\n"), std::string::npos) << run.out;
}

TEST_F(RerunTest, ADrawingOfSeveralSheetsIsUpToDateOnlyWhenEverySheetIs) {
  const std::string unit = Sample("drawings/drive-unit.idw");
  testing::ProgramRun run = Export("*.IDW", "*.DWG", {unit});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string sheets = Out("drive-unit_1.dwg") + ";" + Out("drive-unit_2.dwg") + ";" + Out("drive-unit_3.dwg");
  EXPECT_NE(FullSummary().find(unit + ",converted,," + sheets + ","), std::string::npos) << FullSummary();

  run = Export("*.IDW", "*.DWG", {unit}, {"--skip-existing"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\nUp to date: " + Out("drive-unit_1.dwg") + "\nClosing document(s)\n"), std::string::npos)
      << run.out;
  EXPECT_NE(FullSummary().find(unit + ",up to date,Up to date: " + Out("drive-unit_1.dwg") + "," + sheets + ","),
            std::string::npos)
      << FullSummary();

  // An older last sheet makes the whole drawing out of date.
  fs::last_write_time(Out("drive-unit_3.dwg"), fs::last_write_time(unit) - std::chrono::seconds(2));
  run = Export("*.IDW", "*.DWG", {unit}, {"--skip-existing"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Summary: 1 converted, 0 skipped, 0 failed\n"), std::string::npos) << run.out;
}

TEST_F(RerunTest, ADryRunListsTheRunWithoutTouchingTheHost) {
  const std::string parts = Sample("parts");
  const Lines arguments = {"--import", "*.IPT", "--export", "*.STP", "--export-folder", Out(""), "--recurse",
                           "--dry-run", parts};
  testing::ProgramRun run = Batch(arguments);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(LiveHosts().empty());
  EXPECT_FALSE(fs::exists(HostsFolder()));
  const Lines lines = SplitLines(run.out);
  ASSERT_FALSE(lines.empty());
  // The list a run takes: the backups' folder too, each name once.
  EXPECT_EQ(lines.back(), "Dry run: " + std::to_string(lines.size() - 1) + " entries; nothing converted, the host "
                                                                            "not started");
  EXPECT_NE(run.out.find(Sample("parts/bracket.ipt") + " -> " + Out("bracket.stp") + "\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(Sample("parts/OLDVERSIONS/")), std::string::npos) << run.out;
  EXPECT_TRUE(fs::is_empty(Out("")));

  // Where the host names the file, the line says so.
  run = Batch({"--import", "*.IDW", "--export", "*.DWG", "--export-folder", Out(""), "--dry-run",
               Sample("drawings/drive-unit.idw")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Sample("drawings/drive-unit.idw") + " -> " + Out("drive-unit") + ".dwg, or " +
                         Out("drive-unit") + "_1.dwg and on, one per sheet, for a drawing of several sheets\n"
                         "Dry run: 1 entry; nothing converted, the host not started\n");
  run = Batch({"--import", "*.STP", "--export", "*.IAM", "--export-folder", Out(""), "--dry-run",
               Sample("import/flange.stp")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out)[0], Sample("import/flange.stp") + " -> " + Out("flange") +
                                        ".ipt, .iam or .idw, as the host reports the document's type");

  // With --skip-existing it says what the run would skip.
  ASSERT_EQ(Export("*.IPT", "*.STP", {Sample("parts/pin.ipt")}).exitCode, 0);
  EndHosts();
  run = Batch({"--import", "*.IPT", "--export", "*.STP", "--export-folder", Out(""), "--dry-run", "--skip-existing",
               Sample("parts/pin.ipt"), Sample("parts/gear.ipt")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Sample("parts/gear.ipt") + " -> " + Out("gear.stp") + "\n" + Sample("parts/pin.ipt") + " -> " +
                         Out("pin.stp") + " (up to date)\n"
                         "Dry run: 2 entries, 1 up to date; nothing converted, the host not started\n");
  EXPECT_TRUE(LiveHosts().empty());

  // A folder a run would refuse is refused here too.
  run = Batch({"--import", "*.IPT", "--export", "*.STP", "--export-folder", Out("missing"), "--dry-run",
               Sample("parts/pin.ipt")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("[message] Directory: \n" + Out("missing") + "\n does not exist\n"), std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace korrin
