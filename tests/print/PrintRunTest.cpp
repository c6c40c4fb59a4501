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
                     false,
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
  Print("registryversion5.2");
  EXPECT_TRUE(host_.Calls("file").empty());
  // The reader could not open the file: one entry without a size, left out.
  EXPECT_TRUE(host_.Calls("submit").empty());
  EXPECT_EQ(log_.back(), "Sheet 1 has no size: not printed");
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
  EXPECT_EQ(log_, Lines{"Sheet 3 has no size: not printed"});
  EXPECT_TRUE(outcome.problem.empty());
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

}  // namespace
}  // namespace korrin
