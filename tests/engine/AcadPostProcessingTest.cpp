#include <fstream>

#include "AcadInstallation.h"
#include "EngineFixture.h"
#include "engine/AcadPostProcessing.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

TEST(AcadTemplateSetupTest, TheTableFollowsTheFolderTextAndFindsRowsBySheetSize) {
  AcadTemplateSetup setup("/site/templates/");
  ASSERT_EQ(setup.rows().size(), 10u);
  EXPECT_EQ(setup.rows().front(), (AcadTemplateRow{"A0", "1189", "841", "/site/templates/ORV-A0.DWT"}));
  EXPECT_EQ(setup.rows()[8], (AcadTemplateRow{"A4", "210", "297", "/site/templates/ORV-A4.DWT"}));
  EXPECT_EQ(setup.rows().back(), (AcadTemplateRow{"A4P", "297", "210", "/site/templates/ORV-A4P.DWT"}));

  setup.SetFolder("D:\\tpl");
  EXPECT_EQ(setup.RowForSheet(420, 297)->templateFile, "D:\\tplORV-A3.DWT");
  setup.SetFolder("");
  EXPECT_EQ(setup.folder(), "/site/templates/");
  EXPECT_EQ(AcadTemplateSetup("").folder(), kFallbackAcadTemplateFolder);

  EXPECT_EQ(setup.RowForSheet(297.4, 419.6)->sizeName, "A3P");
  EXPECT_EQ(setup.RowForSheet(210.5, 297)->sizeName, "A4") << "halves round to even";
  EXPECT_FALSE(setup.RowForSheet(279.4, 215.9).has_value());

  setup.ExportPatternChanged("*.DXF");
  EXPECT_FALSE(setup.keepLineweight.enabled);
  EXPECT_TRUE(setup.keepLineweight.checked);
  setup.ExportPatternChanged("*.DWG");
  EXPECT_TRUE(setup.keepLineweight.enabled);
}

TEST(AcadTemplateSetupTest, TheReplaceOptionIsEnabledExactlyWhileLineweightsAreStripped) {
  AcadTemplateSetup setup("/site/templates/");
  EXPECT_FALSE(setup.replaceTitleBlock.enabled) << "lineweights are kept at first";
  struct Step {
    const char* pattern;
    bool keep;
    bool replaceEnabled;
  };
  const Step steps[] = {
      {"*.DWG", true, false}, {"*.DWG", false, true}, {"*.DXF", false, false},
      {"*.DWG", false, true}, {"*.DWG", true, false}, {"*.DXF", true, false},
  };
  for (const Step& step : steps) {
    setup.ExportPatternChanged(step.pattern);
    setup.SetKeepLineweight(step.keep);
    EXPECT_EQ(setup.keepLineweight.checked, step.keep) << step.pattern << " keep " << step.keep;
    EXPECT_EQ(setup.StripsLineweights(), step.replaceEnabled) << step.pattern << " keep " << step.keep;
    EXPECT_EQ(setup.replaceTitleBlock.enabled, step.replaceEnabled) << step.pattern << " keep " << step.keep;
  }
  // Whether the option is ticked is the user's and stays as it was.
  setup.replaceTitleBlock.checked = true;
  setup.ExportPatternChanged("*.DXF");
  EXPECT_TRUE(setup.replaceTitleBlock.checked);
  EXPECT_FALSE(setup.replaceTitleBlock.enabled);
}

class AcadPostProcessingTest : public testing::EngineFixture {
 protected:
  void SetUp() override {
    ini_ = (folder_ / "dwgout.ini").string();
    std::ofstream(ini_, std::ios::binary) << "[EXPORT SELECT OPTIONS]\r\nAUTOCAD TEMPLATE=old\r\nUSE TRANSMITTAL=No\r\n"
                                             "autocad template path=x\r\n";
    setup_.keepLineweight.checked = false;
    setup_.replaceTitleBlock.checked = true;
  }

  // Opens a drawing of the given sheets and gives its active sheet.
  host::SheetHandle OpenDrawing(std::vector<standin::StandinSheet> sheets) {
    const host::DocumentHandle drawing = Open(Write("d.idw", Drawing(std::move(sheets))));
    return Host().documents().ActiveSheet(drawing).value();
  }

  ExportContext IniContext() {
    ExportContext context = Context();
    context.exportIniFile = ini_;
    return context;
  }

  std::vector<std::string> IniLines() const { return ReadTextFile(ini_).lines; }

  std::string ini_;
  AcadTemplateSetup setup_{"T:\\"};
};

TEST_F(AcadPostProcessingTest, AMatchedSheetPointsTheTranslatorAtItsTemplateAndLosesBorderAndTitleBlock) {
  const host::SheetHandle sheet = OpenDrawing({Sheet("A3", 42, 29.7)});
  ExportContext context = IniContext();
  const DrawingFinish finish = DecideDrawingFinish(context, setup_);
  EXPECT_TRUE(finish.stripLineweights);
  EXPECT_EQ(finish.sheetCount, 1);
  EXPECT_EQ(finish.templateName, "A3");
  EXPECT_EQ(IniLines(), (std::vector<std::string>{"[EXPORT SELECT OPTIONS]", "AUTOCAD TEMPLATE=T:\\ORV-A3.DWT",
                                                  "USE TRANSMITTAL=No", "AUTOCAD TEMPLATE=T:\\ORV-A3.DWT"}));
  EXPECT_FALSE(Host().sheets().HasBorder(sheet).value());
  EXPECT_FALSE(Host().sheets().HasTitleBlock(sheet).value());
  EXPECT_FALSE(context.pending.has_value());
  EXPECT_EQ(LastDwgFile("/out/d", finish.sheetCount), "/out/d.dwg");
}

TEST_F(AcadPostProcessingTest, AnUnmatchedSheetLeavesTheSettingsFileButStillLosesItsTitleBlock) {
  const host::SheetHandle sheet = OpenDrawing({Sheet("B", 43.18, 27.94), Sheet("2", 42, 29.7), Sheet("3", 42, 29.7)});
  const std::vector<std::string> before = IniLines();
  ExportContext context = IniContext();
  const DrawingFinish finish = DecideDrawingFinish(context, setup_);
  EXPECT_EQ(finish.sheetCount, 3);
  EXPECT_EQ(finish.templateName, "");
  EXPECT_EQ(IniLines(), before);
  EXPECT_FALSE(Host().sheets().HasTitleBlock(sheet).value());
  EXPECT_EQ(LastDwgFile("/out/d", finish.sheetCount), "/out/d_3.dwg");
}

TEST_F(AcadPostProcessingTest, KeepingTheLineweightsSkipsTheFinishAndDisablesTheReplacement) {
  const host::SheetHandle sheet = OpenDrawing({Sheet("A3", 42, 29.7)});
  setup_.keepLineweight.checked = true;
  ExportContext context = IniContext();
  const DrawingFinish finish = DecideDrawingFinish(context, setup_);
  EXPECT_FALSE(finish.stripLineweights);
  EXPECT_FALSE(setup_.replaceTitleBlock.enabled);
  EXPECT_TRUE(Host().sheets().HasBorder(sheet).value());
  EXPECT_EQ(IniLines()[1], "AUTOCAD TEMPLATE=old");

  // Stripping again brings the replacement back; unticked it is left out.
  setup_.keepLineweight.checked = false;
  setup_.replaceTitleBlock.checked = false;
  EXPECT_TRUE(DecideDrawingFinish(context, setup_).stripLineweights);
  EXPECT_TRUE(setup_.replaceTitleBlock.enabled);
  EXPECT_TRUE(Host().sheets().HasBorder(sheet).value());
}

TEST_F(AcadPostProcessingTest, ASettingsFileThatCannotBeReadIsReportedAndLeftAlone) {
  (void)OpenDrawing({Sheet("A3", 42, 29.7)});
  ExportContext context = IniContext();
  context.exportIniFile = (folder_ / "missing.ini").string();
  dialogs_.ExpectMessage("Couldn't open DWG inifile for modification\rNo such file or directory");
  (void)DecideDrawingFinish(context, setup_);
  EXPECT_FALSE(std::filesystem::exists(context.exportIniFile));

  // A folder opens but cannot be read as lines.
  context.exportIniFile = folder_.string();
  dialogs_.ExpectMessage("Couldn't read line in DWG inifile for modification\r" +
                         ReadTextFile(folder_.string()).failure.description);
  (void)DecideDrawingFinish(context, setup_);
}

TEST_F(AcadPostProcessingTest, TheWaitForTheDrawingEndsWithTheFileTheAbortOrTheTimeLimit) {
  ExportContext context = IniContext();
  const std::string base = (folder_ / "out").string();
  abort_.Raise();
  EXPECT_FALSE(WaitForDwgFile(context, base, 1));
  abort_.Lower();
  EXPECT_FALSE(WaitForDwgFile(context, base, 3));
  EXPECT_EQ(view_.lines.back(), "Waited 60 s for " + base + "_3.dwg; AutoCAD post-processing skipped");
  std::ofstream(base + "_3.dwg") << "x";
  EXPECT_TRUE(WaitForDwgFile(context, base, 3));
}

// A drawing file as the stand-in's DWG translator writes it.
void WriteDwg(const std::string& path) {
  std::ofstream(path, std::ios::binary)
      << "KORRIN STAND-IN CONTAINER\r\nformat 1\r\nkind DWG\r\nsource /d.idw\r\ndocument drawing\r\n"
         "sheet \"Sheet:1\" width 42 height 29.7 size-code 9994 border no title-block no\r\n";
}

TEST_F(AcadPostProcessingTest, AutocadFinishesEverySheetFileAndClosesWhatWasLeftOpen) {
  const std::string base = (folder_ / "d").string();
  EXPECT_EQ(DwgFiles(base, 3), (std::vector<std::string>{base + "_1.dwg", base + "_2.dwg", base + "_3.dwg"}));
  EXPECT_EQ(DwgFiles(base, 0), std::vector<std::string>{base + ".dwg"});
  // No AutoCAD installed: nothing can be finished or closed, which is said.
  WriteDwg(base + "_1.dwg");
  WriteDwg(base + "_3.dwg");
  EXPECT_EQ(CleanAcadDrawing(connector_, events_, abort_, base, 3),
            "Could not start AutoCAD/MDT, lineweights kept: Invalid class string");
  EXPECT_EQ(CloseAcadDocuments(connector_, abort_), kAcadNotRunning);
  EXPECT_EQ(ReadTextFile(base + "_3.dwg").lines.size(), 6u);

  const std::string release = std::string(standin::kAcadKey) + "\\" + standin::kStandinAcadRelease;
  ASSERT_TRUE(registry_.CreateRegistryKey(RegistryRoot::LocalMachine, release, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::LocalMachine, standin::kAcadKey,
                                           standin::kAcadCurrentReleaseValueName,
                                           std::string(standin::kStandinAcadRelease)));
  EXPECT_EQ(CleanAcadDrawing(connector_, events_, abort_, base, 1), "");  // d.dwg was never written
  EXPECT_FALSE(connector_.GetRunningAcad().ok());

  // A sheet's file that is missing is passed over.
  std::vector<std::string> finished = ReadTextFile(base + "_1.dwg").lines;
  finished.insert(finished.end(), {"lineweight-display off", "updated-before-save yes", "saved-by AutoCAD"});
  EXPECT_EQ(CleanAcadDrawing(connector_, events_, abort_, base, 3), "");
  EXPECT_FALSE(std::filesystem::exists(base + "_2.dwg"));
  EXPECT_EQ(ReadTextFile(base + "_1.dwg").lines, finished);
  EXPECT_EQ(ReadTextFile(base + "_3.dwg").lines, finished);
  auto acad = connector_.GetRunningAcad();
  ASSERT_TRUE(acad.ok());
  EXPECT_EQ(acad.value()->DocumentCount().value(), 0);

  // Documents a translator left open are closed unsaved.
  WriteDwg(base + ".dwg");
  ASSERT_TRUE(acad.value()->OpenDocument(base + ".dwg").ok());
  ASSERT_TRUE(acad.value()->OpenDocument(base + "_3.dwg").ok());
  ASSERT_TRUE(acad.value()->SetLineweightDisplay(true).ok());
  abort_.Raise();
  EXPECT_EQ(CloseAcadDocuments(connector_, abort_), "");
  EXPECT_EQ(acad.value()->DocumentCount().value(), 2) << "an abort stops the closing";
  abort_.Lower();
  EXPECT_EQ(CloseAcadDocuments(connector_, abort_), "");
  EXPECT_EQ(acad.value()->DocumentCount().value(), 0);
  EXPECT_EQ(ReadTextFile(base + "_3.dwg").lines, finished);
}

}  // namespace
}  // namespace korrin
