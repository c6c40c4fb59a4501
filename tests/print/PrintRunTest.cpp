#include "print/PrintRun.h"

#include <gtest/gtest.h>

#include "FakePrintHost.h"
#include "print/PaperSizeFile.h"
#include "support/DecimalCommaLocale.h"
#include "support/FakePrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

class PrintRunTest : public ::testing::Test {
 protected:
  PrintRunTest() {
    folder_.Write("papersizes.ini",
                  "A4;210;297;Inventor Standard format\r\nA3;420;297;Inventor Standard format\r\n"
                  "A2;594;420;Inventor Standard Format\r\nE Sheet;1117,6;863.6;comma\r\n");
    Set({});
  }

  // The PRINTER options, the template's defaults changed by the given lines.
  void Set(const Lines& changes) {
    Lines lines = {"[PRINTER]",          "PrinterPrinter=Plotter", "PrinterPapersize=A3",     "PrinterPrintRange=2",
                   "PrinterSheetrangeFrom=1", "PrinterSheetRangeTo=1", "PrinterScale=2",      "PrinterCustomScale=1",
                   "PrinterRotate90Deg=0", "PrinterCopies=1",        "PrinterCollate=1",        "PrinterColormode=False",
                   "PrinterPrintToFile=0", "PrinterFitNoneIDW=1",    "PrinterRendermethod=3"};
    for (const std::string& change : changes) {
      const std::string key = change.substr(0, change.find('='));
      for (std::string& line : lines) {
        if (line.rfind(key + "=", 0) == 0) line = change;
      }
    }
    options_.Replace(lines);
  }

  void Sheets(std::vector<testing::FakePrintHost::SheetData> sheets) { host_.sheetData = std::move(sheets); }

  PrintOutcome Print(const std::string& tag = "RegistryVersion7.0") {
    PrintSetup setup{host_,
                     connector_,
                     options_,
                     printers_,
                     dialogs_,
                     abort_,
                     (folder_ / "papersizes.ini").string(),
                     tag,
                     {[this](const std::string& line) { log_.push_back(line); }, [] {},
                      [this] {
                        return host_.activeSheet == notReadySheet_ ? std::string("Drawing not ready") : std::string();
                      },
                      [this](const std::string& name) { notified_.push_back(name); }}};
    return PrintDocument(setup, "/out/plan");
  }

  testing::TemporaryFolder folder_;
  testing::FakePrintHost host_;
  testing::FakeConnector connector_;
  testing::FakePrinters printers_;
  testing::ScriptedDialogs dialogs_;
  AbortFlag abort_;
  ExportTemplateLines options_;
  Lines log_;
  Lines notified_;
  int notReadySheet_ = 0;
  std::shared_ptr<testing::FakeSheetReader::Record> reads_ = std::make_shared<testing::FakeSheetReader::Record>();
};

TEST_F(PrintRunTest, APaperWithoutDefinitionStopsTheRunBeforeAnythingIsPrinted) {
  Set({"PrinterPapersize=A9"});
  Sheets({{42, 29.7}});
  dialogs_.ExpectMessage(kPaperNotDefined);
  const PrintOutcome outcome = Print();
  EXPECT_TRUE(abort_.IsRaised());
  EXPECT_EQ(outcome.problem, kPaperNotDefined);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(PrintRunTest, BestFitTurnsALandscapeSheetAndLeavesAMargin) {
  Set({"PrinterPapersize=A4", "PrinterPrintRange=1"});
  folder_.Write("papersizes.ini", "A4;210;297;x\r\n");
  Sheets({{42, 29.7, 9994}});
  const PrintOutcome outcome = Print();
  EXPECT_EQ(outcome.submitted, 1);
  EXPECT_EQ(host_.Calls("rotate"), Lines{"1"});
  const Lines scales = host_.Calls("scale");
  ASSERT_EQ(scales.size(), 2u);
  EXPECT_NEAR(std::stod(scales[0]), 21.0 / 29.7, 1e-12);
  EXPECT_NEAR(std::stod(scales[1]), 21.0 / 29.7 * 0.97, 1e-12);
  EXPECT_EQ(host_.Calls("paper"), Lines{"14341"});
  EXPECT_EQ(host_.Calls("mode"), Lines{"13827"});
  EXPECT_EQ(host_.Calls("range"), Lines{"14081"});
  EXPECT_EQ(host_.Calls("color"), Lines{"13314"});
  EXPECT_EQ(host_.Calls("printer"), Lines{"Plotter"});
  EXPECT_TRUE(host_.Calls("width").empty()) << "A4 is no custom paper";
}

TEST_F(PrintRunTest, RangesPickTheirSheetsAndAnUnknownRangePrintsNothing) {
  Sheets({{42, 29.7}, {42, 29.7}, {42, 29.7}});
  const struct {
    Lines options;
    Lines submitted;
  } cases[] = {
      {{"PrinterPrintRange=1"}, {"1"}},
      {{"PrinterPrintRange=2"}, {"1", "2", "3"}},
      {{"PrinterPrintRange=3", "PrinterSheetrangeFrom=2", "PrinterSheetRangeTo=9"}, {"2", "3"}},
      {{"PrinterPrintRange=3", "PrinterSheetrangeFrom=7", "PrinterSheetRangeTo=9"}, {"3"}},
      {{"PrinterPrintRange=3", "PrinterSheetrangeFrom=3", "PrinterSheetRangeTo=2"}, {}},
      {{"PrinterPrintRange=3", "PrinterSheetrangeFrom=0", "PrinterSheetRangeTo=1"}, {"1"}},
  };
  for (const auto& c : cases) {
    host_.calls.clear();
    host_.activeSheet = 2;
    Set(c.options);
    Print();
    EXPECT_EQ(host_.Calls("submit"), c.submitted) << c.options.front() << " " << c.options.back();
  }
  host_.calls.clear();
  Set({"PrinterPrintRange=4"});
  const PrintOutcome outcome = Print();
  EXPECT_EQ(outcome.problem, "Print range 4 is none of 1, 2 and 3: nothing printed");
  EXPECT_EQ(log_.back(), outcome.problem);
  EXPECT_TRUE(host_.Calls("submit").empty());
}

TEST_F(PrintRunTest, CopiesFollowTheCollationAndNoCopiesMeansOneOrNone) {
  Sheets({{42, 29.7}, {42, 29.7}});
  const struct {
    const char* collate;
    const char* copies;
    Lines submitted;
  } cases[] = {
      {"0", "2", {"1", "1", "2", "2"}},
      {"1", "2", {"1", "2", "1", "2"}},
      {"0", "0", {"1", "2"}},
      {"1", "0", {}},
  };
  for (const auto& c : cases) {
    host_.calls.clear();
    Set({std::string("PrinterCollate=") + c.collate, std::string("PrinterCopies=") + c.copies});
    EXPECT_EQ(Print().submitted, static_cast<int>(c.submitted.size()));
    EXPECT_EQ(host_.Calls("submit"), c.submitted) << "collate " << c.collate << " copies " << c.copies;
  }
}

TEST_F(PrintRunTest, PrintToFileNamesEachSheetAndTellsTheWatcher) {
  Sheets({{42, 29.7}, {42, 29.7}, {42, 29.7}});
  Set({"PrinterPrintToFile=1"});
  Print();
  EXPECT_EQ(host_.Calls("file"), (Lines{"/out/plan_1.prn", "/out/plan_2.prn", "/out/plan_3.prn"}));
  EXPECT_EQ(notified_, (Lines{"/out/plan_1", "/out/plan_2", "/out/plan_3"}));

  for (const auto& [collate, file] : {std::pair{"0", "/out/plan.prn"}, std::pair{"1", "/out/plan"}}) {
    host_.calls.clear();
    notified_.clear();
    Set({"PrinterPrintToFile=1", "PrinterPrintRange=1", std::string("PrinterCollate=") + collate});
    Print();
    EXPECT_EQ(host_.Calls("file"), Lines{file});
    EXPECT_EQ(notified_, Lines{"/out/plan"});
  }
  // An old host is never asked to print into a file.
  host_.calls.clear();
  Set({"PrinterPrintToFile=1"});
  connector_.makeApprentice = [this] { return std::make_unique<testing::FakeSheetReader>(host_.sheetData, reads_); };
  EXPECT_EQ(Print("registryversion5.2").submitted, 3);
  EXPECT_TRUE(host_.Calls("file").empty());
}

TEST_F(PrintRunTest, ModelScaleTakesThePaperOfTheSheetOrACustomPaperOfItsSize) {
  Set({"PrinterScale=1", "PrinterPrintRange=2"});
  Sheets({{42, 59.4}, {50, 70}, {0, 0}});
  const PrintOutcome outcome = Print();
  EXPECT_EQ(host_.Calls("paper"), (Lines{"14339", "14355"}));
  EXPECT_EQ(host_.Calls("width"), Lines{"50"});
  EXPECT_EQ(host_.Calls("height"), Lines{"70"});
  EXPECT_EQ(host_.Calls("scale"), (Lines{"1", "1"}));
  EXPECT_EQ(host_.Calls("submit"), (Lines{"1", "2"}));
  EXPECT_EQ(log_, (Lines{"Sheet 3 has no size: not printed", "Sheets not printed: 3"}));
  EXPECT_EQ(outcome.problem, "Sheets not printed: 3");
}

TEST_F(PrintRunTest, ExcludedSheetsAreCheckedButNotPrintedAndANotReadySheetStopsTheDocument) {
  Sheets({{42, 29.7}, {42, 29.7, 0, true}, {42, 29.7}});
  Print();
  EXPECT_EQ(host_.Calls("submit"), (Lines{"1", "3"}));
  EXPECT_EQ(notified_, (Lines{"/out/plan_1", "/out/plan_3"}));

  host_.calls.clear();
  notReadySheet_ = 2;
  const PrintOutcome outcome = Print();
  EXPECT_EQ(host_.Calls("submit"), Lines{"1"});
  EXPECT_EQ(outcome.problem, "Drawing not ready");
  EXPECT_EQ(log_.back(), "Drawing not ready");
}

TEST_F(PrintRunTest, AnExtraTurnAppliesOnlyWithoutModelScaleAndWithoutBestFitSelectedPaper) {
  Sheets({{29.7, 42}});
  Set({"PrinterRotate90Deg=1", "PrinterFitNoneIDW=0", "PrinterScale=3", "PrinterCustomScale=0.5"});
  Print();
  EXPECT_EQ(host_.Calls("rotate"), (Lines{"0", "1"}));
  EXPECT_EQ(host_.Calls("scale"), Lines{"0.5"});
  host_.calls.clear();
  Set({"PrinterRotate90Deg=1", "PrinterFitNoneIDW=1", "PrinterScale=3"});
  Print();
  EXPECT_EQ(host_.Calls("rotate"), Lines{"0"});
}

TEST_F(PrintRunTest, ModelsPrintTheirViewTurnedToTheirShapeAndCountTheirCopies) {
  host_.type = host::kPartDocument;
  Set({"PrinterFitNoneIDW=0", "PrinterRendermethod=129", "PrinterCopies=2", "PrinterPrintToFile=1",
       "PrinterPapersize=E Sheet"});
  Print();
  EXPECT_EQ(host_.Calls("display"), Lines{"8706"});
  EXPECT_EQ(host_.Calls("camera"), Lines{"10759"});
  EXPECT_EQ(host_.Calls("orientation"), (Lines{"13569", "13570"}));
  EXPECT_EQ(host_.Calls("paper"), Lines{"14355"});
  EXPECT_EQ(host_.Calls("width"), Lines{"111.76"}) << "a decimal comma reads as the decimal point";
  EXPECT_EQ(host_.Calls("file"), (Lines{"/out/plan.prn", "/out/plan.prn"}));
  EXPECT_EQ(host_.Calls("submit"), (Lines{"view", "view"}));
  EXPECT_EQ(notified_, Lines{"/out/plan.prn"});
  EXPECT_EQ(log_, (Lines{"Print no: 1 finished", "Print no: 2 finished"}));

  host_.calls.clear();
  log_.clear();
  Set({"PrinterFitNoneIDW=1", "PrinterRendermethod=128"});
  host_.printFailure = Failure{5, "Access is denied."};
  const PrintOutcome outcome = Print();
  EXPECT_EQ(host_.Calls("orientation"), Lines{"13569"});
  EXPECT_TRUE(host_.Calls("display").empty());
  EXPECT_EQ(log_, Lines{"Print no: 1 finished with errors: Access is denied."});
  EXPECT_EQ(outcome.failure, (Failure{5, "Access is denied."}));
}

TEST_F(PrintRunTest, AModelPaperThePrinterDoesNotListIsRefused) {
  host_.type = host::kAssemblyDocument;
  printers_.media["Plotter"] = {"A4", "PostScript Custom Page Size", "Letter"};
  const PrintOutcome outcome = Print();
  EXPECT_EQ(outcome.problem, "Custom papersize: ( A3 ) not supported on this printer: Plotter");
  EXPECT_EQ(log_, Lines{outcome.problem});
  EXPECT_TRUE(host_.Calls("submit").empty());
  printers_.media["Plotter"] = {"a3"};
  log_.clear();
  EXPECT_EQ(Print().submitted, 1);
}

TEST_F(PrintRunTest, ScaleAndCopiesReadWithTheLocalesSeparatorAndWithThePoint) {
  const testing::DecimalCommaLocale german;
  if (!german.active()) GTEST_SKIP() << german.reason();
  Sheets({{29.7, 42}});
  for (const auto& [scale, copies] : {std::pair{"0,5", "3,0"}, std::pair{"0.5", "3.0"}}) {
    host_.calls.clear();
    Set({"PrinterScale=3", "PrinterFitNoneIDW=0", std::string("PrinterCustomScale=") + scale,
         std::string("PrinterCopies=") + copies, "PrinterCollate=0", "PrinterPrintRange=1"});
    EXPECT_EQ(Print().submitted, 3) << copies;
    EXPECT_EQ(host_.Calls("scale"), Lines{"0.5"}) << scale;
  }
}

TEST_F(PrintRunTest, SheetsAskedForAndNotPrintedFailTheDocumentNamingThem) {
  Sheets({{42, 29.7}, {0, 0}, {42, 29.7}, {-1, 20}});
  PrintOutcome outcome = Print();
  EXPECT_EQ(host_.Calls("submit"), (Lines{"1", "3"}));
  EXPECT_EQ(log_, (Lines{"Sheet 2 has no size: not printed", "Sheet 4 has no size: not printed",
                         "Sheets not printed: 2, 4"}));
  EXPECT_EQ(outcome.problem, "Sheets not printed: 2, 4");

  // Collated copies name a sheet once.
  log_.clear();
  Set({"PrinterCopies=2"});
  outcome = Print();
  EXPECT_EQ(outcome.submitted, 4);
  EXPECT_EQ(log_.back(), "Sheets not printed: 2, 4");

  // An old host whose drawing the reader cannot open: the file is the reason.
  log_.clear();
  host_.calls.clear();
  outcome = Print("RegistryVersion5.2");
  EXPECT_TRUE(host_.Calls("submit").empty());
  const std::string unread =
      "Sheets not printed: the sheet sizes of /in/plan.idw could not be read (no document reader in this fake)";
  EXPECT_EQ(log_, Lines{unread});
  EXPECT_EQ(outcome.problem, unread);
  EXPECT_FALSE(outcome.failure) << "the reader's failure is no failed print call";

  log_.clear();
  connector_.makeApprentice = [this] {
    return std::make_unique<testing::FakeSheetReader>(host_.sheetData, reads_, Failure{-5, "File is newer"});
  };
  outcome = Print("RegistryVersion5.2");
  EXPECT_EQ(outcome.problem, "Sheets not printed: the sheet sizes of /in/plan.idw could not be read (File is newer)");
  EXPECT_EQ(reads_->closed, 1);
}

TEST_F(PrintRunTest, EveryFailedPrintOfADrawingIsLoggedWithItsReason) {
  Sheets({{42, 29.7}, {42, 29.7}, {42, 29.7}});
  host_.fail = [](const std::string& call) -> std::optional<Failure> {
    if (call == "submit 2") return Failure{-3, "No print queue named Plotter"};
    return std::nullopt;
  };
  PrintOutcome outcome = Print();
  EXPECT_EQ(host_.Calls("submit"), (Lines{"1", "2", "3"}));
  EXPECT_EQ(outcome.submitted, 2);
  EXPECT_EQ(log_, (Lines{"Print of sheet 2 finished with errors: No print queue named Plotter",
                         "Sheets not printed: 2"}));
  EXPECT_EQ(outcome.failure, (Failure{-3, "No print queue named Plotter"}));

  // No print manager: nothing is printed, and the log says why.
  log_.clear();
  host_.fail = [](const std::string& call) -> std::optional<Failure> {
    if (call == "manager") return Failure{-4, "The print server does not answer"};
    return std::nullopt;
  };
  outcome = Print();
  EXPECT_EQ(outcome.submitted, 0);
  EXPECT_EQ(log_, Lines{"Printing failed: The print server does not answer"});
  EXPECT_EQ(outcome.failure, (Failure{-4, "The print server does not answer"}));
}

TEST_F(PrintRunTest, AFailedReadBackSkipsItsStepAndStaysPending) {
  Sheets({{29.7, 42}});
  const Failure lost{-7, "The host did not answer"};
  const auto failing = [&lost](const std::string& which) {
    return [&lost, which](const std::string& call) -> std::optional<Failure> {
      if (call == which) return lost;
      return std::nullopt;
    };
  };
  // Best fit: the scale it read back is unknown, so the fitted scale stays.
  Set({"PrinterPrintRange=1"});
  host_.fail = failing("get scale");
  PrintOutcome outcome = Print();
  const Lines scales = host_.Calls("scale");
  ASSERT_EQ(scales.size(), 1u);
  EXPECT_NEAR(std::stod(scales[0]), 21.0 * 2 / 42, 1e-12);
  EXPECT_EQ(outcome.failure, lost);
  EXPECT_EQ(log_, Lines{"Print of sheet 1 finished with errors: The host did not answer"});
  EXPECT_EQ(outcome.submitted, 1);

  // The extra turn: how the sheet lies is unknown, so it is not turned.
  host_.calls.clear();
  Set({"PrinterPrintRange=1", "PrinterRotate90Deg=1", "PrinterFitNoneIDW=0", "PrinterScale=3",
       "PrinterCustomScale=0.5"});
  host_.fail = failing("get rotate");
  EXPECT_EQ(Print().failure, lost);
  EXPECT_EQ(host_.Calls("rotate"), Lines{"0"});

  // A model's orientation: without the read-back it stays as it was set.
  host_.calls.clear();
  log_.clear();
  host_.type = host::kPartDocument;
  Set({"PrinterFitNoneIDW=0"});
  host_.fail = failing("get orientation");
  outcome = Print();
  EXPECT_EQ(host_.Calls("orientation"), Lines{"13569"});
  EXPECT_EQ(log_, Lines{"Print no: 1 finished with errors: The host did not answer"});
  EXPECT_EQ(outcome.failure, lost);
}

TEST_F(PrintRunTest, APaperWithoutAPositiveSizeStopsTheRunBeforeAnythingIsPrinted) {
  folder_.Write("papersizes.ini", "Odd;-1;-1;no numbers\r\nFlat;-210;297;x\r\nThin;210;0;x\r\n");
  Sheets({{42, 29.7}});
  for (const auto& [paper, message] : {std::pair{"Odd", kPaperNotPositive}, std::pair{"Flat", kPaperNotPositive},
                                       std::pair{"Thin", kPaperNotDefined}}) {
    for (const std::int32_t type : {host::kDrawingDocument, host::kPartDocument}) {
      AbortFlag fresh;
      std::swap(abort_, fresh);
      host_.type = type;
      Set({std::string("PrinterPapersize=") + paper});
      dialogs_.ExpectMessage(message);
      EXPECT_EQ(Print().problem, message) << paper;
      EXPECT_TRUE(abort_.IsRaised()) << paper;
      EXPECT_TRUE(host_.calls.empty()) << paper;
    }
  }
}

TEST_F(PrintRunTest, TheShippedChoicesPrintAtModelScaleAndBestFitSelectedPaperOverridesACustomScale) {
  // The shipped template: first sheet, model scale, one collated copy,
  // "best fit selected paper" ticked.
  Set({"PrinterPrintRange=1", "PrinterScale=1", "PrinterCustomScale=1", "PrinterCopies=1", "PrinterCollate=1",
       "PrinterFitNoneIDW=1", "PrinterRotate90Deg=0"});
  Sheets({{59.4, 42}, {29.7, 42}});
  EXPECT_EQ(Print().submitted, 1);
  EXPECT_EQ(host_.Calls("paper"), Lines{"14339"});
  EXPECT_EQ(host_.Calls("rotate"), Lines{"1"});
  EXPECT_EQ(host_.Calls("scale"), Lines{"1"});
  EXPECT_EQ(host_.Calls("submit"), Lines{"1"});

  // A custom scale gives way to the fit on the selected paper, and the
  // extra turn stays off although asked for.
  host_.calls.clear();
  Set({"PrinterPrintRange=1", "PrinterScale=3", "PrinterCustomScale=0.5", "PrinterFitNoneIDW=1",
       "PrinterRotate90Deg=1", "PrinterPapersize=A4"});
  Print();
  EXPECT_EQ(host_.Calls("rotate"), Lines{"1"});
  const Lines scales = host_.Calls("scale");
  ASSERT_EQ(scales.size(), 2u);
  EXPECT_NEAR(std::stod(scales[0]), 21.0 / 42, 1e-12);
  EXPECT_NEAR(std::stod(scales[1]), 21.0 / 42 * 0.97, 1e-12);
  EXPECT_EQ(host_.Calls("paper"), Lines{"14341"});
}

TEST_F(PrintRunTest, AnOldHostTakesTheSheetSizesFromTheReaderAndReReadsThemCollated) {
  // The open drawing's own sizes are wrong on purpose: only the reader's count.
  Sheets({{1, 1}, {1, 1}});
  const std::vector<testing::FakePrintHost::SheetData> onFile = {{42, 59.4, 9993}, {29.7, 42, 9994}};
  connector_.makeApprentice = [this, onFile] { return std::make_unique<testing::FakeSheetReader>(onFile, reads_); };
  Set({"PrinterScale=1", "PrinterPrintRange=2", "PrinterCollate=0", "PrinterCopies=2"});
  PrintOutcome outcome = Print("RegistryVersion5.2");
  EXPECT_EQ(host_.Calls("submit"), (Lines{"1", "1", "2", "2"}));
  EXPECT_EQ(host_.Calls("paper"), (Lines{"14339", "14340"}));
  EXPECT_EQ(reads_->opened, Lines{"/in/plan.idw"}) << "uncollated prints from the table";
  EXPECT_EQ(reads_->closed, 1);
  EXPECT_TRUE(outcome.problem.empty()) << outcome.problem;
  EXPECT_FALSE(outcome.failure);

  host_.calls.clear();
  reads_->opened.clear();
  reads_->closed = 0;
  Set({"PrinterScale=1", "PrinterPrintRange=2", "PrinterCollate=1", "PrinterCopies=2"});
  outcome = Print("RegistryVersion5.2");
  EXPECT_EQ(host_.Calls("submit"), (Lines{"1", "2", "1", "2"}));
  EXPECT_EQ(host_.Calls("paper"), (Lines{"14339", "14340", "14339", "14340"}));
  EXPECT_EQ(reads_->opened, Lines(5, "/in/plan.idw")) << "the table, then once for every sheet job";
  EXPECT_EQ(reads_->closed, 5);
  EXPECT_TRUE(outcome.problem.empty()) << outcome.problem;
  EXPECT_TRUE(log_.empty());
}

TEST_F(PrintRunTest, ACollatedSheetTheReaderCannotReReadIsNamedWithTheFile) {
  Sheets({{1, 1}, {1, 1}});
  const std::vector<testing::FakePrintHost::SheetData> onFile = {{42, 59.4}, {29.7, 42}};
  int made = 0;
  connector_.makeApprentice = [this, onFile, &made] {
    // The table is read; then the file is locked for every re-read.
    const std::optional<Failure> locked =
        made++ == 0 ? std::nullopt : std::optional<Failure>(Failure{-9, "File is locked"});
    return std::make_unique<testing::FakeSheetReader>(onFile, reads_, locked);
  };
  Set({"PrinterScale=1", "PrinterPrintRange=2", "PrinterCollate=1", "PrinterCopies=1"});
  const PrintOutcome outcome = Print("RegistryVersion5.2");
  EXPECT_TRUE(host_.Calls("submit").empty());
  const std::string unread = "not printed: the sheet sizes of /in/plan.idw could not be read (File is locked)";
  EXPECT_EQ(log_, (Lines{"Sheet 1 " + unread, "Sheet 2 " + unread, "Sheets not printed: 1, 2"}));
  EXPECT_EQ(outcome.problem, "Sheets not printed: 1, 2");
  EXPECT_EQ(reads_->closed, 3);
}

}  // namespace
}  // namespace korrin
