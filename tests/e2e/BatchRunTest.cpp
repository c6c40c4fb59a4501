// korrin-batch converting the stand-in's samples, as a user runs it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/BatchFixture.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Converted;
using testing::Document;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

class BatchRunTest : public testing::BatchFixture {};

TEST_F(BatchRunTest, ExportsAPartToEveryFormatOfferedForParts) {
  const struct {
    const char* format;
    const char* file;
    const char* starts;
  } exports[] = {{"*.IGS", "bracket.igs", ""},
                 {"SAT Files (*.SAT)", "bracket.sat", "KORRIN STAND-IN CONTAINER\r\nformat 1\r\nkind SAT\r\n"},
                 {"*.stp", "bracket.stp", "ISO-10303-21;"},
                 {"*.STL", "bracket.stl", "STL Exported by"},
                 {"*.PTP", "bracket.ptp", "KORRIN STAND-IN CONTAINER\r\nformat 1\r\nkind PTP\r\n"},
                 {"*.BMP", "bracket.bmp", "BM"},
                 {"*.XGL", "bracket.xgl", "<WORLD>\n<BACKGROUND>"},
                 {"*.ZGL", "bracket.zgl", "\x78\xda"}};  // a zlib stream packed hardest
  const std::string part = Sample("parts/bracket.ipt");
  for (const auto& wanted : exports) {
    SCOPED_TRACE(wanted.format);
    fs::remove_all(Out(""));
    fs::create_directories(Out(""));
    const testing::ProgramRun run = Export("*.IPT", wanted.format, {part});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string upper = ToUpperAscii(fs::path(wanted.file).extension().string().substr(1));
    EXPECT_EQ(SplitLines(run.out),
              Joined({kStarted, Converted(part, Out("bracket." + upper)),
                      {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
    const std::string bytes = Read(Out(wanted.file));
    ASSERT_FALSE(bytes.empty()) << wanted.file;
    EXPECT_EQ(bytes.rfind(wanted.starts, 0), 0u) << bytes.substr(0, 80);
    if (upper == "IGS") {
      EXPECT_EQ(bytes.substr(72, 1), "S");
    }
    if (upper == "STL") {  // binary: a header, a count, 50 bytes per triangle
      ASSERT_GE(bytes.size(), 84u);
      const auto count = static_cast<unsigned char>(bytes[80]) | static_cast<unsigned char>(bytes[81]) << 8 |
                         static_cast<unsigned char>(bytes[82]) << 16 | static_cast<unsigned char>(bytes[83]) << 24;
      EXPECT_GT(count, 0u);
      EXPECT_EQ(bytes.size(), 84u + 50u * count);
    }
    EXPECT_EQ(Summary(), "path,outcome,reason\r\n" + part + ",converted,\r\n");
  }
}

TEST_F(BatchRunTest, ExportsAnAssemblyToEveryFormatOfferedForAssemblies) {
  const std::string assembly = Sample("assemblies/drive-unit.iam");
  for (const char* format : {"IGS", "SAT", "STP", "AMP", "BMP", "XGL", "ZGL"}) {
    SCOPED_TRACE(format);
    const testing::ProgramRun run = Export("*.IAM", std::string("*.") + format, {assembly});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(assembly, Out(std::string("drive-unit.") + format)),
                                           {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
    std::string file = std::string("drive-unit.") + format;
    for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(fs::is_regular_file(Out(file))) << file;
  }
  // The STEP file holds the whole tree: every part of the assembly is in it.
  const std::string step = Read(Out("drive-unit.stp"));
  for (const char* part : {"housing", "cover-plate", "pin", "stepped-shaft", "bushing", "gear"}) {
    EXPECT_NE(step.find(part), std::string::npos) << part;
  }
}

TEST_F(BatchRunTest, ExportsDrawingsToEveryFormatOfferedForDrawings) {
  const std::string drawing = Sample("drawings/bracket.idw");
  for (const char* format : {"DWG", "DXF", "DWF", "DWP", "BMP"}) {
    SCOPED_TRACE(format);
    const testing::ProgramRun run = Export("*.IDW", std::string("*.") + format, {drawing});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(SplitLines(run.out),
              Joined({kStarted, Converted(drawing, Out(std::string("bracket.") + format)),
                      {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  }
  // The translator took the settings file that start-up found for the format.
  const std::string dwg = Read(Out("bracket.dwg"));
  EXPECT_NE(dwg.find("kind DWG\r\nsource " + drawing + "\r\ndocument drawing\r\n"), std::string::npos) << dwg;
  EXPECT_NE(dwg.find("option Export_Acad_IniFile="), std::string::npos) << dwg;
}

TEST_F(BatchRunTest, APrintWithNoPrinterToReachFailsItsEntry) {
  // A CUPS server that does not run: no queue, no default queue.
  moreEnvironment_.push_back("CUPS_SERVER=" + (folder_ / "no-cups.sock").string());
  const std::string part = Sample("parts/pin.ipt");
  const testing::ProgramRun run = Export("*.IPT", "Printer", {part});
  EXPECT_EQ(run.exitCode, 1);
  const std::string failed = "Print no: 1 finished with errors: The system has no print queue.";
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + part, "Checking document references...", "Printing: " + Out("pin"), failed,
                     "Closing document(s)", "Ready", "Summary: 0 converted, 0 skipped, 1 failed"}}));
  EXPECT_EQ(Summary(), "path,outcome,reason\r\n" + part + ",failed,Printing failed: The system has no print queue.\r\n");
}

TEST_F(BatchRunTest, WritesBesideTheSourceOrIntoTheExportFolder) {
  const std::string part = Sample("parts/washer.ipt");
  testing::ProgramRun run = Batch({"--import", "*.IPT", "--export", "*.STP", "--beside-source", part});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(part, Sample("parts/washer.STP")),
                                         {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  EXPECT_TRUE(fs::is_regular_file(Sample("parts/washer.stp")));
  EXPECT_FALSE(fs::exists(Out("washer.stp")));

  run = Batch({"--import", "*.IPT", "--export", "*.STP", "--export-folder", Out(""), part});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::is_regular_file(Out("washer.stp")));

  run = Batch({"--import", "*.IPT", "--export", "*.STP", "--export-folder", Out("missing"), part});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("[message] Directory: \n" + Out("missing") + "\n does not exist\n"), std::string::npos)
      << run.err;
}

TEST_F(BatchRunTest, SkipsBackupsAndNewerReleasesAndRecoversFromAFailedFirstOpen) {
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {Sample("parts")}, {"--recurse"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("[question] Main Directory: " + Sample("parts") + "\nRecurse SubDirectories ?\n"
                         "[answer] Yes\n"),
            std::string::npos)
      << run.err;
  const Lines lines = SplitLines(run.out);
  // Entries run in path order ignoring case: OLDVERSIONS/ between
  // legacy-plate and pin, flange between flaky-pin and future-gear.
  const std::string backup = Sample("parts/OLDVERSIONS/bracket.ipt");
  const auto legacy = std::find(lines.begin(), lines.end(), "Opening: " + Sample("parts/legacy-plate.ipt"));
  ASSERT_GE(lines.end() - legacy, 7);
  EXPECT_EQ(Lines(legacy + 4, legacy + 7), (Lines{"Backup of " + backup + ".  Skipping...", "Closing document(s)",
                                                   "Opening: " + Sample("parts/pin.ipt")}));
  const std::string flaky = Sample("parts/flaky-pin.ipt");
  const Lines recovery = {"Opening: " + flaky,
                          "Error opening: " + flaky + "  The host stopped answering while opening the file.",
                          "Retrying to reactivate Inventor...",
                          "Trying to reopen last failed document..",
                          "Checking document references...",
                          "Exporting document: " + Out("flaky-pin.SAT"),
                          "Closing document(s)",
                          "Unrecognized Inventorversion, skipping...",
                          "Closing document(s)"};
  const auto at = std::find(lines.begin(), lines.end(), "Opening: " + flaky);
  ASSERT_GE(lines.end() - at, 13);
  Lines seen(at, at + 7);
  seen.insert(seen.end(), at + 11, at + 13);
  EXPECT_EQ(seen, recovery);
  EXPECT_EQ(lines.back(), "Summary: 14 converted, 2 skipped, 0 failed");
  EXPECT_TRUE(fs::is_regular_file(Out("flaky-pin.sat")));
  EXPECT_FALSE(fs::exists(Out("future-gear.sat")));
  const std::string summary = Summary();
  EXPECT_NE(summary.find(backup + ",skipped,Backup of " + backup + ".  Skipping...\r\n"),
            std::string::npos);
  EXPECT_NE(summary.find(Sample("parts/future-gear.ipt") + ",skipped,\"Unrecognized Inventorversion, skipping...\"\r\n"),
            std::string::npos)
      << summary;
}

TEST_F(BatchRunTest, SkipsAnAssemblyWithABrokenReferenceAndWaitsForSlowViews) {
  const std::string broken = Sample("assemblies/broken-reference.iam");
  testing::ProgramRun run = Export("*.IAM", "*.STP", {broken, Sample("assemblies/shaft-set.iam")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + broken, "Checking document references...",
                     "Error resolving: " + Sample("parts/missing-spacer.ipt"),
                     "Error fully resolving document, skipping...", "Closing document(s)"},
                    Converted(Sample("assemblies/shaft-set.iam"), Out("shaft-set.STP")),
                    {"Ready", "Summary: 1 converted, 1 skipped, 0 failed"}}));
  EXPECT_FALSE(fs::exists(Out("broken-reference.stp")));

  const std::string slow = Sample("drawings/stepped-shaft.idw");
  run = Export("*.IDW", "*.DWF", {slow});
  EXPECT_EQ(run.exitCode, 0);
  // The wait logs once: the host runs its views' helper while the views
  // compute, and the first round raises it.
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + slow, "Checking document references...", "Updating drawing"},
                    {"Exporting document: " + Out("stepped-shaft.DWF"), "Closing document(s)", "Ready",
                     "Summary: 1 converted, 0 skipped, 0 failed"}}));
}

TEST_F(BatchRunTest, ADocumentThatNeverOpensEndsTheRunAndLeavesTheRestNotReached) {
  fs::create_directories(folder_ / "docs");
  folder_.Write("docs/a-broken.ipt", Document("part", "fail-every-open -2147467259 \"Operation failed\"\r\n"));
  folder_.Write("docs/b-fine.ipt", Document("part"));
  const std::string broken = (folder_ / "docs/a-broken.ipt").string();
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {(folder_ / "docs").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + broken, "Error opening: " + broken + "  Operation failed",
                     "Retrying to reactivate Inventor...", "Trying to reopen last failed document..",
                     "Error reopening. Exiting... Operation failed", "Summary: 0 converted, 0 skipped, 1 failed, 1 not reached"}}));
  EXPECT_EQ(Summary(), "path,outcome,reason\r\n" + broken + ",failed,Error reopening. Exiting... Operation failed\r\n" +
                           (folder_ / "docs/b-fine.ipt").string() + ",not reached,\r\n");
}

TEST_F(BatchRunTest, AHostBusyPastTheTimeLimitFailsItsEntryAndIsRestarted) {
  fs::create_directories(folder_ / "docs");
  folder_.Write("docs/a-hangs.ipt", Document("part", "busy-after-open 600000\r\n"));
  folder_.Write("docs/b-fine.ipt", Document("part"));
  const std::string hangs = (folder_ / "docs/a-hangs.ipt").string();
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {(folder_ / "docs").string()}, {"--host-timeout", "1"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + hangs, "Checking document references...", "Exporting document: " + Out("a-hangs.SAT"),
                     "Waited 1 s for Inventor to become idle; restarting it before the next document",
                     "Closing document(s)"},
                    Converted((folder_ / "docs/b-fine.ipt").string(), Out("b-fine.SAT")),
                    {"Ready", "Summary: 1 converted, 0 skipped, 1 failed"}}));
  EXPECT_TRUE(fs::is_regular_file(Out("b-fine.sat")));
}

TEST_F(BatchRunTest, AnInterruptEndsTheRunAfterTheCurrentStepAndFromContinuesThere) {
  fs::create_directories(folder_ / "docs");
  folder_.Write("docs/a.ipt", Document("part"));
  folder_.Write("docs/b-slow.ipt", Document("part", "busy-after-open 3000\r\n"));
  folder_.Write("docs/c.ipt", Document("part"));
  const std::string docs = (folder_ / "docs").string();
  const Lines arguments = {"--import", "*.IPT", "--export", "*.SAT", "--export-folder", Out(""), docs};
  testing::ProgramRun run = Batch(arguments, "Opening: " + docs + "/b-slow.ipt\n");
  EXPECT_EQ(run.exitCode, 2);
  // The interrupt lands while the slow document is worked on; the run ends
  // when it waits for the busy host.
  const Lines lines = SplitLines(run.out);
  const auto slow = std::find(lines.begin(), lines.end(), "Opening: " + docs + "/b-slow.ipt");
  ASSERT_NE(slow, lines.end());
  EXPECT_NE(std::find(slow, lines.end(), "Aborting..."), lines.end());
  EXPECT_EQ(std::find(slow, lines.end(), "Opening: " + docs + "/c.ipt"), lines.end());
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
            (Lines{"Ready", "Summary: 2 converted, 0 skipped, 0 failed, 1 not reached"}));
  EXPECT_FALSE(fs::exists(Out("c.sat")));

  Lines again = arguments;
  again.insert(again.begin(), {"--from", "2"});
  run = Batch(again);
  EXPECT_EQ(run.exitCode, 2);  // the first entry is not reached this time
  EXPECT_NE(run.err.find("[question] Continue from selected document ? ( selected is not the first in the list ) \n"
                         "[answer] Yes\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(docs + "/b-slow.ipt", Out("b-slow.SAT")),
                                         Converted(docs + "/c.ipt", Out("c.SAT")),
                                         {"Ready", "Summary: 2 converted, 0 skipped, 0 failed, 1 not reached"}}));
  EXPECT_TRUE(fs::is_regular_file(Out("c.sat")));
}

TEST_F(BatchRunTest, AListFileGivesItsExistingMatchingDocumentsOnce) {
  const std::string pin = Sample("parts/pin.ipt");
  const std::string washer = Sample("parts/washer.ipt");
  std::string upperPin = pin;
  upperPin.replace(upperPin.size() - 7, 7, "PIN.IPT");
  folder_.Write("list.txt", pin + "\r\n" + washer + "\n" + upperPin + "\n\nnot a path at all\n" + Sample("parts/gone.ipt") +
                                "\n" + Sample("drawings/bracket.idw") + "\n" + pin + "\n");
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {(folder_ / "list.txt").string(), washer});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Converted(pin, Out("pin.SAT")), Converted(washer, Out("washer.SAT")),
                                         {"Ready", "Summary: 2 converted, 0 skipped, 0 failed"}}));
}

TEST_F(BatchRunTest, WritesTheReportAndTheSettingsWhenAsked) {
  const std::string part = Sample("parts/pin.ipt");
  const std::string report = (folder_ / "report.txt").string();
  const testing::ProgramRun run =
      Export("*.IPT", "Iges Files (*.IGS)", {part}, {"--report", report, "--save-settings"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::string expected;
  for (const std::string& line : Joined({kStarted, Converted(part, Out("pin.IGS")), {"Ready"}})) {
    expected += line + "\r\n";
  }
  EXPECT_EQ(folder_.Read("report.txt"), expected);
  const std::string settings = folder_.Read("home/Korrin.ini");
  EXPECT_NE(settings.find("BatchLastImportFilter=*.IPT\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("BatchLastExportFilter=*.IGS\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("BatchExportToFolder=1\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("BatchlastExportToFolder=" + (folder_ / "out").string() + "\r\n"), std::string::npos) << settings;

  // The next run takes its formats and folder from the settings.
  const testing::ProgramRun next = Batch({Sample("parts/washer.ipt")});
  EXPECT_EQ(next.exitCode, 0) << next.err;
  EXPECT_TRUE(fs::is_regular_file(Out("washer.igs")));
}

TEST_F(BatchRunTest, RefusesFormatsAndEntriesItDoesNotOffer) {
  testing::ProgramRun run = Batch({"--import", "*.IDW", "--export", "*.STP", Sample("drawings")});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("korrin-batch: --export *.STP is not offered for Inventor Drawing Files (*.IDW); the "
                          "export formats offered are:\n  AutoCAD DWG Files (*.DWG)\n  AutoCAD DXF Files (*.DXF)\n"
                          "  Drawing Web Format (*.DWF)\n  Printer\n  Streamline Drawing Packages (*.DWP)\n"
                          "  Windows Bitmap (*.BMP)\n",
                          0),
            0u)
      << run.err;

  run = Batch({"--import", "*.XYZ", Sample("parts")});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_EQ(run.err.rfind("korrin-batch: --import *.XYZ is no import format; the import formats are:\n"
                          "  Inventor Part Files (*.IPT)\n",
                          0),
            0u)
      << run.err;

  run = Batch({"--import", "*.IPT", "--export", "*.SAT", "--from", "3", Sample("parts/pin.ipt"), Sample("parts/gear.ipt")});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_EQ(run.err.rfind("korrin-batch: --from 3: the list has 2 entries\n", 0), 0u) << run.err;

  run = Batch({"--host-timeout", "0", Sample("parts")});
  EXPECT_EQ(run.exitCode, 64);
  run = Batch({"--import", "*.IPT", "--export", "*.SAT", Sample("parts/gone.ipt")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("korrin-batch: " + Sample("parts/gone.ipt") + ": no such file or folder\n"), std::string::npos);
  EXPECT_NE(run.err.find("[message] No files to convert...\n"), std::string::npos) << run.err;
}

TEST_F(BatchRunTest, EndsBeforeTheRunWithoutAnInstalledHost) {
  fs::remove_all(folder_ / "host" / "registry");
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {Sample("parts/pin.ipt")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("[message] Sorry, Inventor is not detected on this machine\n", 0), 0u) << run.err;
}

}  // namespace
}  // namespace korrin
