// korrin-batch printing the stand-in's samples: into files, as the
// watcher hears of them, and on a queue of a CUPS server of the test's own.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/BatchFixture.h"
#include "standin/host/PdfReading.h"
#include "support/PrivateCups.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

class PrintRunTest : public testing::BatchFixture {
 protected:
  PrintRunTest() {
    SetOption("PrinterPrintToFile", "1");
    SetOption("PrinterPrintRange", "2");
  }

  testing::ProgramRun PrintFiles(const Lines& documents, const Lines& more = {}) {
    return Export(Import(documents.front()), "Printer", documents, more);
  }
  static std::string Import(const std::string& document) {
    return document.ends_with(".idw") ? "*.IDW" : document.ends_with(".iam") ? "*.IAM" : "*.IPT";
  }
  // The names the watcher was told, in order.
  Lines Notified() const {
    Lines names;
    for (const std::string& line : SplitLines(folder_.Read("tmp/Tembrel.log"))) names.push_back(line.substr(20));
    return names;
  }
  // The size name pdfinfo gives a page, "(A3)" in "841.89 x 1190.55 pts (A3)".
  static std::string SizeName(const testing::PdfInfo& pdf) {
    const std::size_t open = pdf.pageSize.find('(');
    return open == std::string::npos ? pdf.pageSize : pdf.pageSize.substr(open + 1, pdf.pageSize.size() - open - 2);
  }
  // The lines of one printed document.
  static Lines Printed(const std::string& source, const std::string& base, const Lines& more = {}) {
    return Joined({{"Opening: " + source, "Checking document references...", "Printing: " + base}, more,
                   {"Closing document(s)"}});
  }
};

TEST_F(PrintRunTest, EachSheetOfADrawingPrintsIntoAFileOfItsOwnOnThePaperOfItsSize) {
  const std::string unit = Sample("drawings/drive-unit.idw");
  const testing::ProgramRun run = PrintFiles({unit});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Printed(unit, Out("drive-unit")),
                                         {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  // At model scale each sheet takes the paper of its size: A0, A1, A2.
  const char* sizes[] = {"A0", "A1", "A2"};
  for (int sheet = 1; sheet <= 3; ++sheet) {
    const testing::PdfInfo pdf = testing::ReadPdfInfo(Out("drive-unit_" + std::to_string(sheet) + ".prn"));
    EXPECT_EQ(pdf.pages, "1") << sheet;
    EXPECT_EQ(SizeName(pdf), sizes[sheet - 1]) << pdf.pageSize;
  }
  EXPECT_FALSE(fs::exists(Out("drive-unit.prn")));
  EXPECT_EQ(Notified(), (Lines{Out("drive-unit_1"), Out("drive-unit_2"), Out("drive-unit_3")}));
}

TEST_F(PrintRunTest, ASheetRangeOfOnePrintsUnderTheDocumentsOwnName) {
  const std::string bracket = Sample("drawings/bracket.idw");
  SetOption("PrinterPrintRange", "1");
  testing::ProgramRun run = PrintFiles({bracket});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(testing::ReadPdfInfo(Out("bracket")).pages, "1") << "collated: the output base itself";
  SetOption("PrinterCollate", "0");
  run = PrintFiles({bracket});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(testing::ReadPdfInfo(Out("bracket.prn")).pages, "1");
  EXPECT_EQ(Notified(), (Lines{Out("bracket"), Out("bracket")}));
}

TEST_F(PrintRunTest, RangesScalesAndCopiesChooseWhatIsPrintedAndInWhichOrder) {
  const std::string unit = Sample("drawings/drive-unit.idw");
  SetOption("PrinterPrintRange", "3");
  SetOption("PrinterSheetrangeFrom", "2");
  SetOption("PrinterSheetRangeTo", "3");
  SetOption("PrinterScale", "2");
  SetOption("PrinterCopies", "2");
  testing::ProgramRun run = PrintFiles({unit});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_FALSE(fs::exists(Out("drive-unit_1.prn")));
  for (const char* file : {"drive-unit_2.prn", "drive-unit_3.prn"}) {
    EXPECT_EQ(SizeName(testing::ReadPdfInfo(Out(file))), "A3") << file << ": best fit on the chosen paper";
  }
  // Collated: the range once per copy; uncollated: each sheet's copies together.
  EXPECT_EQ(Notified(),
            (Lines{Out("drive-unit_2"), Out("drive-unit_3"), Out("drive-unit_2"), Out("drive-unit_3")}));
  SetOption("PrinterCollate", "0");
  SetOption("PrinterScale", "3");
  run = PrintFiles({unit});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Notified(), (Lines{Out("drive-unit_2"), Out("drive-unit_3"), Out("drive-unit_2"), Out("drive-unit_3"),
                               Out("drive-unit_2"), Out("drive-unit_3")}));
}

TEST_F(PrintRunTest, AnExcludedSheetIsLeftOutAndAModelPrintsItsView) {
  const std::string flange = Sample("drawings/flange.idw");
  testing::ProgramRun run = PrintFiles({flange});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(testing::ReadPdfInfo(Out("flange_1.prn")).pages, "1");
  EXPECT_FALSE(fs::exists(Out("flange_2.prn")));
  EXPECT_EQ(Notified(), Lines{Out("flange_1")});

  const std::string part = Sample("parts/bracket.ipt");
  SetOption("PrinterCopies", "2");
  run = PrintFiles({part});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, Printed(part, Out("bracket"), {"Print no: 1 finished", "Print no: 2 finished"}),
                    {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  const testing::PdfInfo pdf = testing::ReadPdfInfo(Out("bracket.prn"));
  EXPECT_EQ(pdf.pages, "1");
  EXPECT_EQ(SizeName(pdf), "A3");
}

TEST_F(PrintRunTest, APaperMissingFromTheDefinitionsStopsTheRunWithNothingPrinted) {
  SetOption("PrinterPapersize", "A9");
  const std::string first = Sample("drawings/bracket.idw");
  const std::string second = Sample("drawings/flange.idw");
  const testing::ProgramRun run = PrintFiles({first, second});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err,
            "[message] Width and height of selected paper not defined\nAdd paperdefinition and papersize in "
            "INI-settings before continuing\n");
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, Printed(first, Out("bracket")),
                    {"Ready", "Summary: 0 converted, 0 skipped, 1 failed, 1 not reached"}}));
  EXPECT_TRUE(fs::is_empty(Out("")));
}

TEST_F(PrintRunTest, PrintingBesideAnExportWritesBoth) {
  const std::string part = Sample("parts/washer.ipt");
  const testing::ProgramRun run = Export("*.IPT", "*.STP", {part}, {"--print"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + part, "Checking document references...", "Exporting document: " + Out("washer.STP"),
                     "Print no: 1 finished", "Closing document(s)", "Ready",
                     "Summary: 1 converted, 0 skipped, 0 failed"}}));
  EXPECT_TRUE(fs::is_regular_file(Out("washer.stp")));
  EXPECT_EQ(testing::ReadPdfInfo(Out("washer.prn")).pages, "1");
}

// A server of the test's own with a queue that prints into a PDF file.
class QueuePrintTest : public PrintRunTest {
 protected:
  QueuePrintTest() {
    SetOption("PrinterPrintToFile", "0");
    EXPECT_TRUE(cups_.AddPdfQueue("plotter"));
    EXPECT_TRUE(cups_.SetDefault("plotter"));
    const Lines environment = cups_.Environment();
    moreEnvironment_.insert(moreEnvironment_.end(), environment.begin(), environment.end());
  }

  testing::PrivateCups cups_;
};

TEST_F(QueuePrintTest, JobsArriveOnTheNamedOrTheDefaultQueueOnePerSheetAndCopy) {
  const std::string unit = Sample("drawings/drive-unit.idw");
  SetOption("PrinterPrinter", "plotter");
  SetOption("PrinterCopies", "2");
  SetOption("PrinterCollate", "0");
  testing::ProgramRun run = PrintFiles({unit});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  ASSERT_TRUE(cups_.WaitUntilIdle("plotter"));
  EXPECT_EQ(cups_.CompletedJobs("plotter"), 6);
  const testing::PdfInfo last = testing::ReadPdfInfo(cups_.OutputPath("plotter"));
  EXPECT_EQ(last.pages, "1");
  // The last job is the third sheet's second copy, an A2 sheet: a queue
  // that has no A2 prints it on its own paper.
  EXPECT_EQ(SizeName(last), "A4");
  EXPECT_FALSE(fs::exists(Out("drive-unit_1.prn")));

  // "Default" is the server's default queue.
  SetOption("PrinterPrinter", "Default");
  SetOption("PrinterCopies", "1");
  run = PrintFiles({Sample("drawings/bracket.idw")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  ASSERT_TRUE(cups_.WaitUntilIdle("plotter"));
  EXPECT_EQ(cups_.CompletedJobs("plotter"), 7);
}

TEST_F(QueuePrintTest, AModelPaperTheQueueDoesNotOfferIsNotPrinted) {
  const std::string part = Sample("parts/pin.ipt");
  SetOption("PrinterPrinter", "plotter");
  SetOption("PrinterPapersize", "E Sheet");
  testing::ProgramRun run = PrintFiles({part});
  const std::string refused = "Custom papersize: ( E Sheet ) not supported on this printer: plotter";
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(SplitLines(run.out), Joined({kStarted, Printed(part, Out("pin"), {refused}),
                                         {"Ready", "Summary: 0 converted, 0 skipped, 1 failed"}}));
  SetOption("PrinterPapersize", "A4");
  run = PrintFiles({part});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  ASSERT_TRUE(cups_.WaitUntilIdle("plotter"));
  EXPECT_EQ(cups_.CompletedJobs("plotter"), 1);
  EXPECT_EQ(SizeName(testing::ReadPdfInfo(cups_.OutputPath("plotter"))), "A4");
}

}  // namespace
}  // namespace korrin
