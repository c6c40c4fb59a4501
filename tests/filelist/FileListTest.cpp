#include <gtest/gtest.h>

#include "filelist/FileList.h"
#include "support/RecordingEventPump.h"
#include "support/ScriptedDialogs.h"

namespace korrin {
namespace {

// The main window's controls as plain values.
class FakeFileListView : public FileListView {
 public:
  std::string listCount = "design", selectionCount = "design", commandPanel = "Export", sourcePattern;
  std::string exportSettingsFile, importSettingsFile;
  std::vector<std::string> exportFormats, panelHistory;
  std::size_t importChoice = 99, selected = 0;
  bool printEnabled = true, printTicked = false, verifyEnabled = false;

  void ShowListCount(const std::string& text) override { listCount = text; }
  void ShowSelectionCount(const std::string& text) override { selectionCount = text; }
  std::size_t SelectedEntryCount() const override { return selected; }
  void ShowCommandPanel(const std::string& text) override {
    commandPanel = text;
    panelHistory.push_back(text);
  }
  void ShowImportChoice(std::size_t index) override { importChoice = index; }
  void SetSourcePattern(const std::string& pattern) override { sourcePattern = pattern; }
  void ShowExportFormats(const std::vector<std::string>& captions) override { exportFormats = captions; }
  void EnableVerify() override { verifyEnabled = true; }
  void SetExportSettingsFile(const std::string& path) override { exportSettingsFile = path; }
  void SetImportSettingsFile(const std::string& path) override { importSettingsFile = path; }
  void SetPrintDocuments(bool enabled, bool ticked) override {
    printEnabled = enabled;
    printTicked = ticked;
  }
};

constexpr std::size_t kIpt = 0, kIdw = 2, kDwg = 5, kPrt = 10, kStp = 13, kStep = 15;

class FileListTest : public ::testing::Test {
 protected:
  FileListTest() { settings.BatchLastSettingFile = "/korrin/KorrinExportTemplate.INI"; }

  // As where file names ignore case, so a path listed in another case is skipped.
  ConversionList list{FileNameCase::Ignored};
  ProgramSettings settings;
  FakeFileListView view;
  testing::ScriptedDialogs dialogs;
  testing::RecordingEventPump pump;
  AbortFlag abort;
  FileList files{list, settings, {view, dialogs, pump, abort}, '/'};
};

TEST_F(FileListTest, AddSelectedJoinsTheFolderAndSkipsListedFiles) {
  list.Add("/parts/B.ipt");
  view.selected = 1;
  files.AddSelected("/parts", {"a.ipt", "b.ipt", "c.ipt"});
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/parts/a.ipt", "/parts/B.ipt", "/parts/c.ipt"}));
  EXPECT_EQ(view.panelHistory, (std::vector<std::string>{"Abort", "Export"}));
  EXPECT_EQ(view.listCount, "3 files");
  EXPECT_EQ(view.selectionCount, "1/3 Selected");
  EXPECT_EQ(pump.yields, 0);  // adding selected files does not yield

  files.AddSelected("/", {"root.ipt"});  // a root folder gets no second separator
  EXPECT_TRUE(list.Contains("/root.ipt"));
}

TEST_F(FileListTest, AnAbortRaisedBeforeAddSelectedStopsItAndIsLowered) {
  abort.Raise();
  files.AddSelected("/parts", {"a.ipt"});
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_FALSE(abort.IsRaised());
  EXPECT_EQ(view.commandPanel, "Export");
  EXPECT_EQ(view.listCount, "0 files");
}

TEST_F(FileListTest, AddDraggedFilesYieldsAfterEveryPath) {
  std::vector<std::string> counts;
  pump.onYield = [&](int) { counts.push_back(view.listCount); };
  files.AddDraggedFiles({"/b.idw", "/a.idw", "/B.IDW", "/c.idw"});
  EXPECT_EQ(pump.yields, 4);
  // The count is shown at once for every path added, not for the duplicate.
  EXPECT_EQ(counts, (std::vector<std::string>{"1 files", "2 files", "2 files", "3 files"}));
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a.idw", "/b.idw", "/c.idw"}));
}

TEST_F(FileListTest, RemoveMarkedAndRemoveAll) {
  for (const char* path : {"/1", "/2", "/3", "/4", "/5"}) list.Add(path);
  files.RemoveMarked({1, 3});
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/1", "/3", "/5"}));
  EXPECT_EQ(view.listCount, "3 files");
  EXPECT_EQ(view.selectionCount, "0/3 Selected");
  files.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(view.listCount, "0 files");
  EXPECT_EQ(view.selectionCount, "0/0 Selected");
}

TEST_F(FileListTest, ImportChangeOnAnEmptyListAppliesTheFormatWithoutAsking) {
  files.ChangeImportFormat(kIdw);
  EXPECT_EQ(view.sourcePattern, "*.IDW");
  EXPECT_EQ(settings.BatchLastImportFilter, "*.IDW");
  EXPECT_EQ(view.listCount, "0 files");
  ASSERT_FALSE(view.exportFormats.empty());
  EXPECT_EQ(view.exportFormats.front(), "AutoCAD DWG Files (*.DWG)");
  // The first export format is chosen, with the change handling it brings.
  EXPECT_EQ(settings.BatchLastExportFilter, "*.DWG");
  EXPECT_TRUE(view.verifyEnabled);
}

TEST_F(FileListTest, ImportChangeToAnotherFormatAsksAndOkEmptiesTheList) {
  list.Add("/p/a.idw");
  dialogs.ExpectOkCancel("Fileextension changed. About to remove files in exportpanel, continue ?", true);
  files.ChangeImportFormat(kIpt);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(view.sourcePattern, "*.IPT");
  EXPECT_EQ(settings.BatchLastExportFilter, "*.IGS");
}

TEST_F(FileListTest, CancelPutsTheBoxBackOnTheListedFormat) {
  list.Add("/p/a.idw");
  dialogs.ExpectOkCancel(kImportChangeQuestion, false);
  files.ChangeImportFormat(kIpt);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_EQ(view.importChoice, kIdw);
  EXPECT_EQ(view.sourcePattern, "*.IDW");
  EXPECT_EQ(settings.BatchLastImportFilter, "*.IDW");
}

TEST_F(FileListTest, CancelOnAStepListAsksOnlyOnce) {
  list.Add("/p/shaft.step");
  dialogs.ExpectOkCancel(kImportChangeQuestion, false);
  files.ChangeImportFormat(kIpt);
  EXPECT_EQ(view.importChoice, kStep);
  EXPECT_EQ(view.sourcePattern, "*.STEP");
  EXPECT_EQ(list.Count(), 1u);
}

TEST_F(FileListTest, AVersionedPartListAsksEvenForItsOwnFormat) {
  list.Add("/p/part.prt.3");
  dialogs.ExpectOkCancel(kImportChangeQuestion, false);
  files.ChangeImportFormat(kPrt);
  // No format ends in "t.3": the box is not moved and nothing is applied.
  EXPECT_EQ(view.importChoice, 99u);
  EXPECT_EQ(view.sourcePattern, "");
  EXPECT_EQ(list.Count(), 1u);
}

TEST_F(FileListTest, TheSameFormatAsksNothing) {
  list.Add("/p/a.stp");
  files.ChangeImportFormat(kStp);
  EXPECT_EQ(view.sourcePattern, "*.STP");
  EXPECT_EQ(list.Count(), 1u);
}

TEST_F(FileListTest, VerifyIsEnabledOnlyForInventorFormats) {
  files.ChangeImportFormat(kDwg);
  EXPECT_FALSE(view.verifyEnabled);
  files.ChangeImportFormat(kIpt);
  EXPECT_TRUE(view.verifyEnabled);
}

TEST_F(FileListTest, ExportChangeShowsTheSettingsFilesOfTheFormat) {
  settings.BatchLastExportDWGFile = "/dwg.ini";
  settings.BatchLastImportDWGFile = "/import.ini";
  files.ChangeExportFormat("AutoCAD DWG Files (*.DWG)");
  EXPECT_EQ(view.exportSettingsFile, "/dwg.ini");
  EXPECT_EQ(view.importSettingsFile, "/import.ini");
  EXPECT_EQ(settings.BatchLastExportFilter, "*.DWG");
  files.ChangeExportFormat("Printer");
  EXPECT_EQ(view.exportSettingsFile, "/korrin/KorrinExportTemplate.INI");
  EXPECT_FALSE(view.printEnabled);
  EXPECT_TRUE(view.printTicked);
  EXPECT_EQ(settings.BatchLastExportFilter, "Printe");  // stored settings hold this form
}

}  // namespace
}  // namespace korrin
