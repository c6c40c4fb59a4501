#include "formats/FormatCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace korrin {
namespace {

using Captions = std::vector<std::string>;

const Captions kPartList{"Iges Files (*.IGS)", "Printer", "SAT Files (*.SAT)", "STEP Files (*.STP)",
                         "Stereo Lithography Files (*.STL)", "Streamline Part Packages (*.PTP)",
                         "Windows Bitmap (*.BMP)", "XGL Files (*.XGL)", "ZGL Files (*.ZGL)"};
const Captions kAssemblyList{"Iges Files (*.IGS)", "Inventor Assemblyfile (*.IAM)", "Printer", "SAT Files (*.SAT)",
                             "STEP Files (*.STP)", "Streamline Assembly Packages (*.AMP)", "Windows Bitmap (*.BMP)",
                             "XGL Files (*.XGL)", "ZGL Files (*.ZGL)"};
const Captions kDrawingList{"AutoCAD DWG Files (*.DWG)", "AutoCAD DXF Files (*.DXF)",
                            "Drawing Web Format (*.DWF)", "Printer",
                            "Streamline Drawing Packages (*.DWP)", "Windows Bitmap (*.BMP)"};

Captions Without(Captions list, const std::string& caption) {
  std::erase(list, caption);
  return list;
}

TEST(FormatCatalogueTest, ImportListKeepsBoxOrder) {
  EXPECT_EQ(FillImportList(),
            (Captions{"Inventor Part Files (*.IPT)", "Inventor Assembly Files (*.IAM)",
                      "Inventor Drawing Files (*.IDW)", "Inventor Presentation Files (*.IPN)",
                      "Inventor iFeature Files (*.IDE)", "AutoCAD / MDT Files (*.DWG)", "AutoCAD DXF Files (*.DXF)",
                      "Iges Files (*.IGS)", "Iges Files (*.IGE)", "Iges Files (*.IGES)",
                      "ProENGINEER Part Files (*.PRT*)", "ProENGINEER Assembly Files (*.ASM*)", "SAT Files (*.SAT)",
                      "STEP Files (*.STP)", "STEP Files (*.STE)", "STEP Files (*.STEP)"}));
}

TEST(FormatCatalogueTest, ExportListIsSortedWithoutTheImportsOwnFormatAndEmptyForUnknownImports) {
  const std::vector<std::pair<std::string, Captions>> cases{
      {"Inventor Part Files (*.IPT)", kPartList},
      {"Inventor Assembly Files (*.IAM)", Without(kAssemblyList, "Inventor Assemblyfile (*.IAM)")},
      {"Inventor Drawing Files (*.IDW)", kDrawingList},
      {"Inventor Presentation Files (*.IPN)",
       {"Printer", "Streamline Presentation Packages (*.PNP)", "Windows Bitmap (*.BMP)"}},
      {"Inventor iFeature Files (*.IDE)", {"Printer", "Windows Bitmap (*.BMP)"}},
      {"AutoCAD / MDT Files (*.DWG)", kAssemblyList},
      {"AutoCAD DXF Files (*.DXF)", kAssemblyList},
      {"Iges Files (*.IGS)", Without(kAssemblyList, "Iges Files (*.IGS)")},
      {"Iges Files (*.IGE)", Without(kAssemblyList, "Iges Files (*.IGS)")},
      {"Iges Files (*.IGES)", Without(kAssemblyList, "Iges Files (*.IGS)")},
      {"ProENGINEER Part Files (*.PRT*)", kPartList},
      {"ProENGINEER Assembly Files (*.ASM*)", kAssemblyList},
      {"SAT Files (*.SAT)", Without(kAssemblyList, "SAT Files (*.SAT)")},
      {"STEP Files (*.STP)", Without(kAssemblyList, "STEP Files (*.STP)")},
      {"STEP Files (*.STE)",
       {"Iges Files (*.IGS)", "Inventor Assemblyfile (*.IAM)", "Printer", "SAT Files (*.SAT)",
        "Streamline Assembly Packages (*.AMP)", "Windows Bitmap (*.BMP)", "XGL Files (*.XGL)", "ZGL Files (*.ZGL)"}},
      {"STEP Files (*.STEP)", Without(kAssemblyList, "STEP Files (*.STP)")},
  };
  ASSERT_EQ(cases.size(), kImportCaptions.size());
  for (const auto& [import, expected] : cases) {
    EXPECT_EQ(FillExportList(PatternOf(import), import), expected) << import;
  }
  for (std::string_view unknown : {"*.XYZ", "", "*.IP", "*.IPTX", "PRINTE"}) {
    EXPECT_EQ(FillExportList(unknown, "Other Files (*.XYZ)"), Captions{}) << unknown;
  }
}

TEST(FormatCatalogueTest, TagAndPatternComeFromTheCaptionsEnd) {
  const std::vector<std::pair<std::string_view, std::string>> cases{
      {"Printer", "NTE"},           {"Stereo Lithography Files (*.STL)", "STL"}, {"Iges Files (*.IGS)", "IGS"},
      {"Odd Files (*.stl)", "STL"}, {"Streamline Part Packages (*.PTP)", "PTP"},
  };
  for (const auto& [caption, tag] : cases) EXPECT_EQ(ExportTagOf(caption), tag) << caption;
  EXPECT_EQ(PatternOf(kPrinterCaption), kPrinterPattern);
  EXPECT_EQ(PatternOf("Iges Files (*.iges)"), "*.IGES");
}

TEST(FormatCatalogueTest, OnlyStlSatAndIgesNeedTranslatorPreparationAndOnlyDwgDxfAreCad) {
  Captions every = kPartList;
  every.insert(every.end(), kAssemblyList.begin(), kAssemblyList.end());
  every.insert(every.end(), kDrawingList.begin(), kDrawingList.end());
  every.push_back("Streamline Presentation Packages (*.PNP)");
  for (const std::string& caption : every) {
    const bool prepared = caption == "Stereo Lithography Files (*.STL)" || caption == "SAT Files (*.SAT)" ||
                          caption == "Iges Files (*.IGS)";
    EXPECT_EQ(NeedsTranslatorPreparation(caption), prepared) << caption;
    const bool cad = caption == "AutoCAD DWG Files (*.DWG)" || caption == "AutoCAD DXF Files (*.DXF)";
    EXPECT_EQ(IsDwgOrDxfExport(caption), cad) << caption;
  }
}

// Records what the main window would show, one text per call.
class RecordingChoiceForm final : public ExportChoiceForm {
 public:
  std::vector<std::string> calls;
  void SetExportSettingsFile(const std::string& path) override { calls.push_back("export " + path); }
  void SetImportSettingsFile(const std::string& path) override { calls.push_back("import " + path); }
  void SetPrintDocuments(bool enabled, bool ticked) override {
    calls.push_back(std::string("print ") + (enabled ? "enabled" : "disabled") + (ticked ? " ticked" : " cleared"));
  }
};

TEST(FormatCatalogueTest, ExportChoiceShowsItsSettingsFilesAndPrintBox) {
  const ProgramSettings settings{"folder",      "export-to", "last-export-to", "import-filter", "export-filter",
                                 "setting.ini", "dwg.ini",   "dxf.ini",        "import-dwg.ini"};
  const std::vector<std::pair<std::string_view, std::pair<std::string, std::string>>> cases{
      {"AutoCAD DWG Files (*.DWG)", {"export dwg.ini", "print enabled cleared"}},
      {"AutoCAD DXF Files (*.DXF)", {"export dxf.ini", "print enabled cleared"}},
      {"Printer", {"export setting.ini", "print disabled ticked"}},
      {"Windows Bitmap (*.BMP)", {"export setting.ini", "print enabled cleared"}},
      {"Drawing Web Format (*.DWF)", {"export setting.ini", "print enabled cleared"}},
  };
  for (const auto& [caption, expected] : cases) {
    RecordingChoiceForm form;
    ApplyExportChoice(caption, settings, form);
    std::vector<std::string> sorted = form.calls;
    std::sort(sorted.begin(), sorted.end());  // the order of the calls is the form's business
    EXPECT_EQ(sorted, (std::vector<std::string>{expected.first, "import import-dwg.ini", expected.second})) << caption;
  }
}

}  // namespace
}  // namespace korrin
