// Drawings written as DXF files by the DXF translator, checked by an
// independent reader (ezdxf, through tests/support/DxfReport.py), and DXF
// files of other programs read back as drawings.
#include <algorithm>
#include <regex>

#include "DrawingExport.h"
#include "StandinFixture.h"
#include "documents/StandinDocumentReader.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"
#include "host/HostCodes.h"
#include "settings/TextFile.h"
#include "support/RunProgram.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kPython = "/usr/bin/python3";

Lines LinesOf(const std::string& text) {
  Lines lines;
  std::size_t from = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
    lines.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  return lines;
}

Lines StartingWith(const Lines& lines, const std::string& start) {
  Lines found;
  for (const std::string& line : lines) {
    if (line.starts_with(start)) found.push_back(line);
  }
  return found;
}

class DrawingDxfTest : public testing::StandinFixture {
 protected:
  host::AddInHandle Translator() {
    for (const host::AddInEntry& entry : Host().AddIns().value()) {
      if (entry.displayName == "Autodesk DXF Translator") return entry.addIn;
    }
    return {};
  }

  Status Export(host::DocumentHandle drawing, const std::string& settingsFile, const std::string& file) {
    const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
    const host::OptionMapHandle options = Host().NewOptionMap().value();
    EXPECT_TRUE(Host().translators().HasSaveCopyAsOptions(Translator(), drawing, context, options).value());
    EXPECT_TRUE(Host().SetOption(options, "Export_Acad_IniFile", settingsFile).ok());
    const host::DataMediumHandle medium = Host().NewDataMedium((folder_ / file).string()).value();
    return Host().translators().SaveCopyAs(Translator(), drawing, context, options, medium);
  }

  static Lines Report(const std::string& path) {
    const testing::ProgramRun run = testing::RunProgram(kPython, {KORRIN_DXF_REPORT, "report", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return LinesOf(run.out);
  }

  static void WriteWithEzdxf(const std::string& kind, const std::string& path) {
    const testing::ProgramRun run = testing::RunProgram(kPython, {KORRIN_DXF_REPORT, "write", kind, path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
  }

  // A drawing of the spacer block on an A3 sheet with border and title
  // block and an A4 sheet without either.
  host::DocumentHandle SpacerDrawing() {
    standin::StandinDocument part = Part();
    part.geometry = standin::BrepText(standin::MakeSpacerBlock().value());
    Write("spacer.ipt", part);
    standin::StandinDocument drawing =
        Drawing({Sheet("Assembly", 42, 29.7), Sheet("Notes", 29.7, 21)});
    drawing.sheets[1].border = false;
    drawing.sheets[1].titleBlock = false;
    drawing.references = {{"spacer.ipt", std::nullopt}};
    spacer_ = {"spacer", part.geometry, std::nullopt, {}};
    return Open(Write("spacer.idw", drawing));
  }

  // How many polylines the three views of the spacer have, visible and hidden.
  std::pair<std::size_t, std::size_t> EdgeCounts() {
    std::size_t visible = 0, hidden = 0;
    for (const auto direction : {standin::ViewDirection::Front, standin::ViewDirection::Top,
                                 standin::ViewDirection::Right}) {
      const auto view = geometry_.Project(spacer_, direction, false).value();
      visible += view.visibleEdges.size();
      hidden += view.hiddenEdges.size();
    }
    return {visible, hidden};
  }

  standin::ModelNode spacer_;
};

TEST_F(DrawingDxfTest, EverySheetIsALayoutWithItsFrameBorderTitleBlockAndViewsOnTheirLayers) {
  const host::DocumentHandle drawing = SpacerDrawing();
  ASSERT_TRUE(Export(drawing, "", "spacer.dxf").ok());
  const Lines report = Report((folder_ / "spacer.dxf").string());
  const auto [visible, hidden] = EdgeCounts();
  ASSERT_GT(hidden, 0u);  // the hole, seen from above and from the side

  const Lines head(report.begin(), report.begin() + std::min<std::size_t>(report.size(), 7));
  EXPECT_EQ(head, (Lines{"audit 0 0", "version AC1015", "insunits 4", "header $LIMMIN 0 0", "header $LIMMAX 420 297",
                         "header $EXTMIN 0 0", "header $EXTMAX 420 297"}));
  EXPECT_EQ(StartingWith(report, "linetype DASHED"), Lines{"linetype DASHED 4.5 3 -1.5"});
  for (const char* layer : {"layer BORDER Continuous", "layer FRAME Continuous", "layer HIDDEN DASHED",
                            "layer TITLE Continuous", "layer VISIBLE Continuous"}) {
    EXPECT_EQ(StartingWith(report, layer), Lines{layer});
  }
  EXPECT_EQ(StartingWith(report, "layout "), (Lines{"layout Assembly 420 297", "layout Notes 297 210"}));
  const std::string views = " VISIBLE " + std::to_string(visible);
  const std::string dashed = " HIDDEN " + std::to_string(hidden);
  // The border is its rectangle and four centring marks; the title block
  // its rectangle, the band's line, two field dividers and seven texts.
  EXPECT_EQ(StartingWith(report, "count "),
            (Lines{"count Assembly BORDER 5", "count Assembly FRAME 1", "count Assembly" + dashed,
                   "count Assembly TITLE 11", "count Assembly" + views, "count Notes FRAME 1",
                   "count Notes" + dashed, "count Notes" + views}));
  EXPECT_EQ(StartingWith(report, "outside "), (Lines{"outside Assembly 0", "outside Notes 0"}));

  const Lines texts = StartingWith(report, "text ");
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[0], "text Assembly TITLE spacer");
  EXPECT_EQ(texts[1], "text Assembly TITLE SHEET");
  EXPECT_EQ(texts[2], "text Assembly TITLE Assembly");
  EXPECT_EQ(texts[3], "text Assembly TITLE SCALE");
  EXPECT_TRUE(std::regex_match(texts[4], std::regex("text Assembly TITLE [1-9][0-9]*:[1-9][0-9]*"))) << texts[4];
  EXPECT_EQ(texts[5], "text Assembly TITLE NUMBER");
  EXPECT_EQ(texts[6], "text Assembly TITLE 1 of 2");
}

TEST_F(DrawingDxfTest, TheSettingsFilesAutoCadVersionChoosesTheDxfVersion) {
  const host::DocumentHandle drawing = Open(Write("plain.idw", Drawing({Sheet("Sheet:1", 29.7, 21)})));
  const struct {
    std::string setting;  // the settings file's line; empty: no settings file
    std::string version;
  } cases[] = {
      {"AUTOCAD VERSION=AutoCAD 2004", "AC1018"}, {"AutoCAD Version=AUTOCAD 2004", "AC1018"},
      {"AUTOCAD VERSION=AutoCAD 2000", "AC1015"}, {"AUTOCAD VERSION=R14", "AC1015"},
      {"AUTOCAD VERSION=R12", "AC1015"},          {"AUTOCAD TEMPLATE=/t/a.dwt", "AC1015"},
      {"", "AC1015"},
  };
  for (const auto& test : cases) {
    std::string settings;
    if (!test.setting.empty()) {
      folder_.Write("dxfout.ini", "[EXPORT SELECT OPTIONS]\r\n" + test.setting + "\r\n");
      settings = (folder_ / "dxfout.ini").string();
    }
    ASSERT_TRUE(Export(drawing, settings, "plain.dxf").ok()) << test.setting;
    const Lines lines = ReadTextFile(folder_ / "plain.dxf").lines;
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(Lines(lines.begin() + 4, lines.begin() + 8), (Lines{"  9", "$ACADVER", "  1", test.version}))
        << test.setting;
  }
  // The later version passes the independent reader too.
  folder_.Write("dxfout.ini", "AUTOCAD VERSION=AutoCAD 2004\r\n");
  ASSERT_TRUE(Export(drawing, (folder_ / "dxfout.ini").string(), "later.dxf").ok());
  const Lines report = Report((folder_ / "later.dxf").string());
  ASSERT_GE(report.size(), 2u);
  EXPECT_EQ(Lines(report.begin(), report.begin() + 2), (Lines{"audit 0 0", "version AC1018"}));
}

TEST_F(DrawingDxfTest, DxfFilesOfAnotherProgramOpenAsDrawingsSizedByTheirLayouts) {
  const struct {
    std::string kind;
    std::vector<standin::StandinSheet> sheets;
  } cases[] = {
      {"layouts", {{"Front", 42, 29.7, 9994, true, false}, {"Back", 59.4, 42, 9995, false, true}}},
      {"model", {{"Model", 29.7, 21, 9993, false, false}}},
      {"model-inch", {{"Model", 27.94, 21.59, 9987, false, false}}},
      {"extents", {{"Layout1", 27.94, 21.59, 9987, false, false}}},
  };
  for (const auto& test : cases) {
    const std::string path = (folder_ / (test.kind + ".dxf")).string();
    WriteWithEzdxf(test.kind, path);
    auto opened = Host().OpenDocument(path, true);
    ASSERT_TRUE(opened.ok()) << test.kind << ": " << opened.failure().description;
    const std::string saved = (folder_ / (test.kind + ".idw")).string();
    ASSERT_TRUE(Host().documents().SaveAs(opened.value(), saved, false).ok());
    auto drawing = standin::ReadStandinDocument(saved);
    ASSERT_TRUE(drawing.ok()) << drawing.failure().description;
    ASSERT_EQ(drawing.value().sheets.size(), test.sheets.size()) << test.kind;
    for (std::size_t index = 0; index < test.sheets.size(); ++index) {
      const standin::StandinSheet& sheet = drawing.value().sheets[index];
      const standin::StandinSheet& expected = test.sheets[index];
      EXPECT_EQ(sheet.name, expected.name) << test.kind;
      EXPECT_NEAR(sheet.widthCentimetres, expected.widthCentimetres, 1e-9) << test.kind << " " << expected.name;
      EXPECT_NEAR(sheet.heightCentimetres, expected.heightCentimetres, 1e-9) << test.kind << " " << expected.name;
      EXPECT_EQ(sheet.sizeCode, expected.sizeCode) << test.kind << " " << expected.name;
      EXPECT_EQ(sheet.border, expected.border) << test.kind << " " << expected.name;
      EXPECT_EQ(sheet.titleBlock, expected.titleBlock) << test.kind << " " << expected.name;
    }
  }
}

TEST_F(DrawingDxfTest, ExportedSheetsReadBackAndOldContainersStillOpen) {
  ASSERT_TRUE(Export(SpacerDrawing(), "", "spacer.dxf").ok());
  auto fromDxf = Host().OpenDocument((folder_ / "spacer.dxf").string(), true);
  ASSERT_TRUE(fromDxf.ok()) << fromDxf.failure().description;
  ASSERT_EQ(Host().documents().SheetCount(fromDxf.value()).value(), 2);
  const host::SheetHandle notes = Host().documents().Sheet(fromDxf.value(), 2).value();
  EXPECT_EQ(Host().sheets().SizeCode(notes).value(), 9993);  // A4
  EXPECT_EQ(Host().sheets().Width(notes).value(), 29.7);
  EXPECT_EQ(Host().sheets().Height(notes).value(), 21.0);
  EXPECT_FALSE(Host().sheets().HasBorder(notes).value());
  EXPECT_FALSE(Host().sheets().HasTitleBlock(notes).value());
  const host::SheetHandle assembly = Host().documents().Sheet(fromDxf.value(), 1).value();
  EXPECT_TRUE(Host().sheets().HasBorder(assembly).value());
  EXPECT_TRUE(Host().sheets().HasTitleBlock(assembly).value());

  // A .dxf container as this host once wrote it.
  const std::string old = (folder_ / "old.dxf").string();
  standin::ContainerContent content{"DXF", "/d/old.idw", "drawing", {}};
  ASSERT_TRUE(standin::WriteDrawingExport(standin::TranslatorFormat::Dxf, content,
                                          {Sheet("One", 29.7, 21), Sheet("Two", 42, 29.7)}, old)
                  .ok());
  auto fromContainer = Host().OpenDocument(old, true);
  ASSERT_TRUE(fromContainer.ok()) << fromContainer.failure().description;
  EXPECT_EQ(Host().documents().SheetCount(fromContainer.value()).value(), 2);

  // A damaged file fails naming it and saying what is wrong.
  std::string cut = folder_.Read("spacer.dxf");
  cut.resize(cut.rfind("\r\n", cut.size() / 2) + 2);
  folder_.Write("cut.dxf", cut);
  const std::string path = (folder_ / "cut.dxf").string();
  auto damaged = Host().OpenDocument(path, true);
  ASSERT_FALSE(damaged.ok());
  EXPECT_TRUE(damaged.failure().description.starts_with("\"" + path + "\" is not a drawing this host can read: "))
      << damaged.failure().description;
  EXPECT_TRUE(damaged.failure().description.ends_with("cut short?")) << damaged.failure().description;
}

}  // namespace
}  // namespace korrin
