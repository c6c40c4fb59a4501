#include <fstream>
#include <iterator>

#include "StandinFixture.h"
#include "StandinApplication.h"
#include "documents/StandinDocumentReader.h"
#include "host/HostCodes.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;
using StandinDocumentsTest = testing::StandinFixture;

TEST_F(StandinDocumentsTest, OpensByItsExactNameAndClosesWithTheCountFalling) {
  const std::string path = Write("Parts/Bracket.ipt", Part());
  // Linux tells the names apart: no file has the lower-cased one.
  const std::string lowered = (folder_ / "parts/bracket.ipt").string();
  auto other = Host().OpenDocument(lowered, true);
  ASSERT_FALSE(other.ok());
  EXPECT_EQ(other.failure().description, lowered + ": No such file or directory");
  const host::DocumentHandle part = Open(path);
  EXPECT_EQ(Host().DocumentCount().value(), 1);
  EXPECT_EQ(Host().documents().FullFileName(part).value(), path);
  EXPECT_EQ(Host().ActiveDocumentType().value(), host::kPartDocument);
  // Opening an open document gives it again.
  EXPECT_EQ(Open(path), part);
  EXPECT_EQ(Host().DocumentCount().value(), 1);

  ASSERT_TRUE(Host().documents().Close(part, true).ok());
  EXPECT_EQ(Host().DocumentCount().value(), 0);
  EXPECT_FALSE(Host().documents().FullFileName(part).ok());
  EXPECT_FALSE(Host().ActiveDocument().ok());
}

TEST_F(StandinDocumentsTest, FilesItCannotReadFailWithWhatIsWrong) {
  folder_.Write("broken.ipt", "KORRIN STAND-IN DOCUMENT\nformat 1\ntype part\nrelease seven 0\n");
  auto broken = Host().OpenDocument((folder_ / "broken.ipt").string(), true);
  ASSERT_FALSE(broken.ok());
  EXPECT_NE(broken.failure().description.find("line 4"), std::string::npos) << broken.failure().description;

  standin::StandinDocument newer = Part();
  newer.release = {8, 0};
  const std::string newerPath = Write("newer.ipt", newer);
  auto refused = Host().OpenDocument(newerPath, true);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure().description,
            "\"" + newerPath + "\" was saved by release 8.0, newer than this host (7.0).");

  auto unknown = Host().OpenDocument((folder_ / "notes.txt").string(), true);
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(Host().DocumentCount().value(), 0);
}

TEST_F(StandinDocumentsTest, ReferencesResolveOrReadAsUnknown) {
  Write("parts/plate.ipt", Part());
  standin::StandinDocument assembly = Part();
  assembly.type = standin::DocumentType::Assembly;
  assembly.references = {{"../parts/plate.ipt", std::nullopt},
                         {"../parts/missing.ipt", std::nullopt},
                         {"../Parts/Plate.ipt", std::nullopt}};
  const host::DocumentHandle top = Open(Write("asm/top.iam", assembly));
  auto files = Host().documents().ReferencedFiles(top);
  ASSERT_TRUE(files.ok());
  ASSERT_EQ(files.value().size(), 3u);
  EXPECT_EQ(files.value()[0].referencedDocumentType, host::kPartDocument);
  EXPECT_EQ(files.value()[0].fullFileName, (folder_ / "parts/plate.ipt").string());
  EXPECT_EQ(files.value()[1].referencedDocumentType, host::kUnknownDocument);
  // Another name in another case: another file, which is not there.
  EXPECT_EQ(files.value()[2].referencedDocumentType, host::kUnknownDocument);
  const std::string upper = (folder_ / "Parts/Plate.ipt").string();
  EXPECT_EQ(files.value()[2].fullFileName, upper);
  EXPECT_EQ(Host().documents().ReferencedDocument(files.value()[2].descriptor).failure().description,
            "The reference to \"" + upper + "\" does not resolve: " + upper + ": No such file or directory");

  auto plate = Host().documents().ReferencedDocument(files.value()[0].descriptor);
  ASSERT_TRUE(plate.ok());
  EXPECT_EQ(Host().documents().DocumentType(plate.value()).value(), host::kPartDocument);
  EXPECT_FALSE(Host().documents().ReferencedDocument(files.value()[1].descriptor).ok());
  // A document loaded for a reference is not one the user opened.
  EXPECT_EQ(Host().DocumentCount().value(), 1);
  ASSERT_TRUE(Host().documents().Close(top, true).ok());
  EXPECT_FALSE(Host().documents().DocumentType(plate.value()).ok());
}

TEST_F(StandinDocumentsTest, SheetsReportTheirSizesStatusesAndDeletions) {
  standin::StandinSheet first = Sheet("Sheet:1", 42.0, 29.7);
  first.sizeCode = 9987;
  first.computingReads = 2;
  standin::StandinSheet second = Sheet("Sheet:2", 84.1, 59.4);
  second.excludedFromPrinting = true;
  second.border = false;
  const host::DocumentHandle drawing = Open(Write("views.idw", Drawing({first, second})));
  host::Documents& documents = Host().documents();
  host::Sheets& sheets = Host().sheets();
  ASSERT_EQ(documents.SheetCount(drawing).value(), 2);
  const host::SheetHandle one = documents.Sheet(drawing, 1).value();
  const host::SheetHandle two = documents.Sheet(drawing, 2).value();
  EXPECT_FALSE(documents.Sheet(drawing, 3).ok());
  EXPECT_EQ(documents.ActiveSheet(drawing).value(), one);
  EXPECT_EQ(sheets.Width(one).value(), 42.0);
  EXPECT_EQ(sheets.Height(two).value(), 59.4);
  EXPECT_EQ(sheets.SizeCode(one).value(), 9987);
  EXPECT_TRUE(sheets.ExcludedFromPrinting(two).value());

  // The views of sheet 1 stay "being computed" for two reads.
  EXPECT_EQ(sheets.StatusWord(one).value(), host::kViewsComputingBit);
  EXPECT_EQ(sheets.StatusWord(one).value(), host::kViewsComputingBit);
  EXPECT_EQ(sheets.StatusWord(one).value(), 0);
  EXPECT_EQ(sheets.StatusWord(two).value(), 0);

  ASSERT_TRUE(sheets.Activate(two).ok());
  EXPECT_EQ(documents.ActiveSheet(drawing).value(), two);
  EXPECT_FALSE(sheets.DeleteBorder(two).ok());
  ASSERT_TRUE(sheets.DeleteTitleBlock(one).ok());
  EXPECT_FALSE(sheets.HasTitleBlock(one).value());
  EXPECT_FALSE(sheets.DeleteTitleBlock(one).ok());

  const host::DocumentHandle part = Open(Write("p.ipt", Part()));
  EXPECT_FALSE(documents.SheetCount(part).ok());
}

// Says each change of need, as the host program's helper process would
// start or end.
class RecordedViewsHelper final : public standin::ViewsHelper {
 public:
  void SetNeeded(bool needed) override {
    if (changes.empty() || changes.back() != needed) changes.push_back(needed);
  }
  std::vector<bool> changes;
};

TEST_F(StandinDocumentsTest, TheViewsHelperIsNeededWhileAnOpenDrawingComputesViews) {
  RecordedViewsHelper helper;
  standin::StandinApplication host(standin::StandinSettings{}, std::make_shared<standin::FirstOpenRecord>(), nullptr,
                                   &helper);
  standin::StandinSheet slow = Sheet("Sheet:1", 42.0, 29.7);
  slow.computingReads = 2;
  const std::string slowPath = Write("slow.idw", Drawing({slow, Sheet("Sheet:2", 42.0, 29.7)}));
  const std::string donePath = Write("done.idw", Drawing({Sheet("Sheet:1", 42.0, 29.7)}));

  // A drawing whose views are done needs no helper.
  const host::DocumentHandle done = host.OpenDocument(donePath, true).value();
  EXPECT_EQ(helper.changes, std::vector<bool>({false}));
  // Reading the slow sheet's status until its views are done ends the need.
  const host::DocumentHandle drawing = host.OpenDocument(slowPath, true).value();
  EXPECT_EQ(helper.changes, std::vector<bool>({false, true}));
  const host::SheetHandle one = host.documents().Sheet(drawing, 1).value();
  EXPECT_EQ(host.sheets().StatusWord(one).value(), host::kViewsComputingBit);
  EXPECT_EQ(helper.changes, std::vector<bool>({false, true}));
  EXPECT_EQ(host.sheets().StatusWord(one).value(), host::kViewsComputingBit);
  EXPECT_EQ(helper.changes, std::vector<bool>({false, true, false}));
  ASSERT_TRUE(host.documents().Close(drawing, true).ok());

  // Closing a drawing still computing ends the need, and so does a quit.
  const host::DocumentHandle again = host.OpenDocument(slowPath, true).value();
  EXPECT_EQ(helper.changes, std::vector<bool>({false, true, false, true}));
  ASSERT_TRUE(host.documents().Close(again, true).ok());
  EXPECT_EQ(helper.changes, std::vector<bool>({false, true, false, true, false}));
  ASSERT_TRUE(host.OpenDocument(slowPath, true).ok());
  ASSERT_TRUE(host.Quit().ok());
  EXPECT_EQ(helper.changes, std::vector<bool>({false, true, false, true, false, true, false}));
  EXPECT_FALSE(host.documents().Close(done, true).ok());
}

TEST_F(StandinDocumentsTest, SaveAsACopyLeavesTheDocumentAndMovesItsReferences) {
  Write("parts/plate.ipt", Part());
  standin::StandinDocument drawing = Drawing({Sheet("Sheet:1", 29.7, 21.0)});
  drawing.references = {{"../parts/plate.ipt", std::nullopt}};
  const std::string source = Write("drawings/plate.idw", drawing);
  const host::DocumentHandle document = Open(source);
  host::Documents& documents = Host().documents();

  const std::string copy = (folder_ / "out/copy.idw").string();
  std::filesystem::create_directories(folder_ / "out");
  ASSERT_TRUE(documents.SaveAs(document, copy, true).ok());
  EXPECT_EQ(documents.FullFileName(document).value(), source);
  auto written = standin::ReadStandinDocument(copy);
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(written.value().references[0].path, "../parts/plate.ipt");

  const std::string moved = (folder_ / "deep/er/moved.idw").string();
  std::filesystem::create_directories(folder_ / "deep/er");
  ASSERT_TRUE(documents.SaveAs(document, moved, false).ok());
  EXPECT_EQ(documents.FullFileName(document).value(), moved);
  EXPECT_EQ(standin::ReadStandinDocument(moved).value().references[0].path, "../../parts/plate.ipt");
  EXPECT_EQ(documents.ReferencedFiles(document).value()[0].referencedDocumentType, host::kPartDocument);

  EXPECT_FALSE(documents.SaveAs(document, (folder_ / "out/wrong.ipt").string(), true).ok());
  EXPECT_FALSE(documents.SaveAs(document, (folder_ / "out/wrong.xyz").string(), true).ok());
}

TEST_F(StandinDocumentsTest, FaultsFailOpensAndSavesAndKeepTheHostBusy) {
  standin::StandinDocument flaky = Part();
  flaky.faults.failFirstOpen = standin::StandinFault{-2147467259, "Unspecified error"};
  flaky.faults.busyAfterOpenMilliseconds = 1500;
  flaky.faults.failEverySave = standin::StandinFault{-2147024891, "Access is denied."};
  const std::string path = Write("flaky.ipt", flaky);

  auto first = Host().OpenDocument(path, true);
  ASSERT_FALSE(first.ok());
  EXPECT_EQ(first.failure(), (Failure{-2147467259, "Unspecified error"}));
  // A restarted host still remembers that the first open has been.
  ASSERT_TRUE(Host().Quit().ok());
  host_.reset();
  const host::DocumentHandle document = Open(path);
  EXPECT_NE(Host().CommandState().value(), host::kCommandStateIdle);
  Advance(1499ms);
  EXPECT_NE(Host().CommandState().value(), host::kCommandStateIdle);
  Advance(1ms);
  EXPECT_EQ(Host().CommandState().value(), host::kCommandStateIdle);
  EXPECT_EQ(Host().documents().SaveAs(document, (folder_ / "x.ipt").string(), true).failure(),
            (Failure{-2147024891, "Access is denied."}));

  standin::StandinDocument broken = Part();
  broken.faults.failEveryOpen = standin::StandinFault{5, "The file is locked."};
  const std::string brokenPath = Write("locked.ipt", broken);
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(Host().OpenDocument(brokenPath, true).failure(), (Failure{5, "The file is locked."}));
  }
}

TEST_F(StandinDocumentsTest, AQuitHostAnswersNothingAndANewOneCanStart) {
  const host::DocumentHandle part = Open(Write("p.ipt", Part()));
  ASSERT_TRUE(Host().Quit().ok());
  EXPECT_EQ(Host().DocumentCount().failure().number, -2147417848);
  EXPECT_FALSE(Host().documents().FullFileName(part).ok());
  EXPECT_FALSE(connector_.GetRunning().ok());
  host_.reset();
  EXPECT_EQ(Host().DocumentCount().value(), 0);
  EXPECT_TRUE(connector_.GetRunning().ok());
}

TEST_F(StandinDocumentsTest, ANotebookClosesOnlyOnceItsWindowIsRestored) {
  standin::StandinDocument notebook = Part();
  notebook.environment = "Notebook";
  const host::DocumentHandle document = Open(Write("notes.ipt", notebook));
  EXPECT_EQ(Host().ActiveEnvironmentName().value(), "Notebook");
  EXPECT_FALSE(Host().documents().Close(document, true).ok());
  const host::WindowHandle window = Host().ViewWindow(Host().ActiveView().value()).value();
  host::WindowPlacement placement = Host().GetWindowPlacement(window).value();
  placement.flags = host::kPlacementRestoreToMaximized;
  ASSERT_TRUE(Host().SetWindowPlacement(window, placement).ok());
  EXPECT_TRUE(Host().documents().Close(document, true).ok());
  EXPECT_EQ(Host().ActiveEnvironmentName().value(), "ZeroDoc");
}

}  // namespace
}  // namespace korrin
