// Drawings written through the DWG and DXF translators, and read back.
#include "DrawingExport.h"
#include "StandinFixture.h"
#include "documents/FailurePrinter.h"
#include "documents/StandinDocumentReader.h"
#include "host/HostCodes.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

const std::string kAssemblySheet = "sheet \"Assembly\" width 84.1 height 59.4 size-code 0 border yes title-block yes";
const std::string kHousingSheet = "sheet \"Housing \\\"B\\\"\" width 59.4 height 42 size-code 0 border no title-block no";

class DrawingExchangeTest : public testing::StandinFixture {
 protected:
  host::AddInHandle Translator(const std::string& format) {
    for (const host::AddInEntry& entry : Host().AddIns().value()) {
      if (entry.displayName == "Autodesk " + format + " Translator") return entry.addIn;
    }
    return {};
  }

  // Exports the drawing through the translator, pointed at the settings file.
  Status Export(const std::string& format, const std::string& settingsFile, const std::string& file) {
    const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
    const host::OptionMapHandle options = Host().NewOptionMap().value();
    EXPECT_TRUE(Host().translators().HasSaveCopyAsOptions(Translator(format), drawing_, context, options).value());
    EXPECT_TRUE(Host().SetOption(options, "Export_Acad_IniFile", settingsFile).ok());
    const host::DataMediumHandle medium = Host().NewDataMedium((folder_ / file).string()).value();
    return Host().translators().SaveCopyAs(Translator(format), drawing_, context, options, medium);
  }

  Result<host::DocumentHandle> OpenThrough(const std::string& format, const std::string& path) {
    const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
    const host::OptionMapHandle options = Host().NewOptionMap().value();
    const host::DataMediumHandle medium = Host().NewDataMedium(path).value();
    (void)Host().translators().HasOpenOptions(Translator(format), medium, context, options);
    return Host().translators().Open(Translator(format), medium, context, options);
  }

  // A drawing of two sheets whose second lost its border and title block;
  // with one sheet when asked.
  void OpenDrawing(bool oneSheet = false) {
    std::vector<standin::StandinSheet> sheets = {Sheet("Assembly", 84.1, 59.4), Sheet("Housing \"B\"", 59.4, 42)};
    if (oneSheet) sheets.pop_back();
    drawing_ = Open(source_ = Write("unit.idw", Drawing(sheets)));
    if (oneSheet) return;
    const host::SheetHandle second = Host().documents().Sheet(drawing_, 2).value();
    EXPECT_TRUE(Host().sheets().DeleteBorder(second).ok() && Host().sheets().DeleteTitleBlock(second).ok());
  }

  Lines Container(const std::string& kind, const Lines& sheetsAndTemplate, const std::string& settingsFile) {
    Lines lines = {"KORRIN STAND-IN CONTAINER", "format 1", "kind " + kind, "source " + source_, "document drawing"};
    lines.insert(lines.end(), sheetsAndTemplate.begin(), sheetsAndTemplate.end());
    lines.push_back("option Export_Acad_IniFile=" + settingsFile);
    return lines;
  }

  host::DocumentHandle drawing_;
  std::string source_;
};

TEST_F(DrawingExchangeTest, DwgWritesAFilePerSheet) {
  OpenDrawing();
  // Split at the first "=", the name compared ignoring case.
  folder_.Write("dwgout.ini", "[EXPORT SELECT OPTIONS]\r\nAutoCad Template=C:\\t\\iso=a3.dwt\r\n");
  const std::string settings = (folder_ / "dwgout.ini").string();
  ASSERT_TRUE(Export("DWG", settings, "unit.DWG").ok());
  EXPECT_EQ(ReadTextFile(folder_ / "unit_1.DWG").lines,
            Container("DWG", {kAssemblySheet, "template C:\\t\\iso=a3.dwt"}, settings));
  EXPECT_EQ(ReadTextFile(folder_ / "unit_2.DWG").lines,
            Container("DWG", {kHousingSheet, "template C:\\t\\iso=a3.dwt"}, settings));
  EXPECT_FALSE(folder_.Exists("unit.DWG"));
  EXPECT_FALSE(folder_.Exists("unit_3.DWG"));
  EXPECT_EQ(standin::DwgSheetFileNames("/o/unit.out", 2), (Lines{"/o/unit.out_1.dwg", "/o/unit.out_2.dwg"}));
}

TEST_F(DrawingExchangeTest, ASingleSheetKeepsTheNameAndATemplateOnlyWhenTheSettingsNameOne) {
  OpenDrawing(true);
  folder_.Write("named.ini", "AUTOCAD TEMPLATE=/t/plain.dwt\n");
  folder_.Write("empty.ini", "AUTOCAD TEMPLATE=\r\n");
  folder_.Write("other.ini", "AUTOCAD TEMPLATES=/t/x.dwt\r\n");
  const struct {
    std::string settings;
    Lines templateLine;
  } cases[] = {
      {(folder_ / "named.ini").string(), {"template /t/plain.dwt"}},
      {(folder_ / "NAMED.INI").string(), {}},  // another file on Linux, and none is there
      {"", {}},
      {(folder_ / "missing.ini").string(), {}},
      {(folder_ / "empty.ini").string(), {}},
      {(folder_ / "other.ini").string(), {}},
  };
  for (const auto& test : cases) {
    ASSERT_TRUE(Export("DWG", test.settings, "unit.dwg").ok()) << test.settings;
    Lines sheetAndTemplate = {kAssemblySheet};
    sheetAndTemplate.insert(sheetAndTemplate.end(), test.templateLine.begin(), test.templateLine.end());
    EXPECT_EQ(ReadTextFile(folder_ / "unit.dwg").lines, Container("DWG", sheetAndTemplate, test.settings))
        << test.settings;
  }
  EXPECT_FALSE(folder_.Exists("unit_1.dwg"));
}

TEST_F(DrawingExchangeTest, ExportedDrawingsOpenAsNewUnsavedDrawingsThatSaveAsDocuments) {
  OpenDrawing();
  ASSERT_TRUE(Export("DXF", "", "unit.dxf").ok());
  ASSERT_TRUE(Export("DWG", "", "unit.dwg").ok());
  // What AutoCAD adds when it saves is skipped.
  folder_.Write("unit_2.dwg", folder_.Read("unit_2.dwg") + "lineweight-display off\r\nsaved-by AutoCAD\r\n");

  auto fromDxf = Host().OpenDocument((folder_ / "unit.dxf").string(), true);
  auto fromDwg = OpenThrough("DWG", (folder_ / "unit_2.dwg").string());
  ASSERT_TRUE(fromDxf.ok() && fromDwg.ok());
  EXPECT_EQ(Host().ActiveDocument().value(), fromDwg.value());
  EXPECT_EQ(Host().DocumentCount().value(), 3);
  EXPECT_EQ(Host().documents().FullFileName(fromDwg.value()).value(), "");
  EXPECT_EQ(Host().documents().SheetCount(fromDxf.value()).value(), 2);
  ASSERT_EQ(Host().documents().SheetCount(fromDwg.value()).value(), 1);
  const host::SheetHandle housing = Host().documents().Sheet(fromDwg.value(), 1).value();
  EXPECT_EQ(Host().sheets().Width(housing).value(), 59.4);
  EXPECT_EQ(Host().sheets().Height(housing).value(), 42.0);
  EXPECT_FALSE(Host().sheets().HasBorder(housing).value());
  EXPECT_FALSE(Host().sheets().HasTitleBlock(housing).value());

  const std::string saved = (folder_ / "again.idw").string();
  ASSERT_TRUE(Host().documents().SaveAs(fromDxf.value(), saved, false).ok());
  auto document = standin::ReadStandinDocument(saved);
  ASSERT_TRUE(document.ok()) << document.failure().description;
  EXPECT_EQ(document.value().type, standin::DocumentType::Drawing);
  EXPECT_EQ(document.value().release, (standin::StandinRelease{7, 0}));
  ASSERT_EQ(document.value().sheets.size(), 2u);
  // A DXF layout's name cannot hold a quote.
  EXPECT_EQ(document.value().sheets[1].name, "Housing _B_");
  EXPECT_TRUE(document.value().sheets[0].titleBlock);
  EXPECT_FALSE(document.value().sheets[1].border);
}

TEST_F(DrawingExchangeTest, FilesTheHostCannotReadFailNamingThem) {
  folder_.Write("damaged.dwg", "AC1018\r\n(cut short)\r\n");
  folder_.Write("plain.dxf", "KORRIN STAND-IN CONTAINER\r\nformat 1\r\nkind DXF\r\ndocument drawing\r\n");
  folder_.Write("wrong.dwg", "KORRIN STAND-IN CONTAINER\r\nformat 1\r\nkind DXF\r\n");
  for (const char* name : {"part.sat", "housing.prt.3", "housing.PRT", "frame.asm.12"}) folder_.Write(name, "x\n");
  const std::string unreadable = "\" is not a drawing this host can read: ";
  const struct {
    std::string file;
    std::string description;  // after the quoted path
  } cases[] = {
      {"damaged.dwg", unreadable + "it is no stand-in container"},
      {"plain.dxf", unreadable + "it lists no sheets"},
      {"wrong.dwg", unreadable + "it holds DXF, not DWG"},
      {"gone.dxf", unreadable + "No such file or directory"},
  };
  for (const auto& test : cases) {
    const std::string path = (folder_ / test.file).string();
    EXPECT_EQ(Host().OpenDocument(path, true).failure(), (Failure{-2147467259, "\"" + path + test.description}));
  }
  const std::string damaged = (folder_ / "damaged.dwg").string();
  EXPECT_EQ(OpenThrough("DWG", damaged).failure().description, "\"" + damaged + cases[0].description);

  for (const auto& [file, kind] : {std::pair{"part.sat", "SAT"}, std::pair{"housing.prt.3", "Pro/ENGINEER"},
                                   std::pair{"housing.PRT", "Pro/ENGINEER"}, std::pair{"frame.asm.12", "Pro/ENGINEER"}}) {
    const std::string path = (folder_ / file).string();
    EXPECT_EQ(Host().OpenDocument(path, true).failure().description,
              "The stand-in host reads no " + std::string(kind) + " files: \"" + path + "\"");
  }
  const std::string sat = (folder_ / "part.sat").string();
  EXPECT_EQ(OpenThrough("SAT", sat).failure().description, "The stand-in host reads no SAT files: \"" + sat + "\"");
  EXPECT_EQ(Host().DocumentCount().value(), 0);
}

}  // namespace
}  // namespace korrin
