#include "formats/FormatCatalogue.h"

#include <algorithm>

#include "settings/TextCase.h"
#include "settings/TextTokens.h"

namespace korrin {

const std::array<std::string_view, 16> kImportCaptions{
    "Inventor Part Files (*.IPT)",
    "Inventor Assembly Files (*.IAM)",
    "Inventor Drawing Files (*.IDW)",
    "Inventor Presentation Files (*.IPN)",
    "Inventor iFeature Files (*.IDE)",
    "AutoCAD / MDT Files (*.DWG)",
    "AutoCAD DXF Files (*.DXF)",
    "Iges Files (*.IGS)",
    "Iges Files (*.IGE)",
    "Iges Files (*.IGES)",
    "ProENGINEER Part Files (*.PRT*)",
    "ProENGINEER Assembly Files (*.ASM*)",
    "SAT Files (*.SAT)",
    "STEP Files (*.STP)",
    "STEP Files (*.STE)",
    "STEP Files (*.STEP)",
};

namespace {

using ExportList = std::vector<std::string_view>;

const ExportList kPartExports{
    "Windows Bitmap (*.BMP)",   "Iges Files (*.IGS)",
    "SAT Files (*.SAT)",        "STEP Files (*.STP)",
    "Stereo Lithography Files (*.STL)", "Streamline Part Packages (*.PTP)",
    "XGL Files (*.XGL)",        "ZGL Files (*.ZGL)",
    kPrinterCaption,
};
const ExportList kAssemblyExports{
    "Inventor Assemblyfile (*.IAM)", "Windows Bitmap (*.BMP)",
    "Iges Files (*.IGS)",            "SAT Files (*.SAT)",
    "STEP Files (*.STP)",            "Streamline Assembly Packages (*.AMP)",
    "XGL Files (*.XGL)",             "ZGL Files (*.ZGL)",
    kPrinterCaption,
};
const ExportList kDrawingExports{
    "AutoCAD DWG Files (*.DWG)",  "AutoCAD DXF Files (*.DXF)",
    "Windows Bitmap (*.BMP)",     "Drawing Web Format (*.DWF)",
    "Streamline Drawing Packages (*.DWP)", kPrinterCaption,
};
const ExportList kPresentationExports{"Windows Bitmap (*.BMP)", "Streamline Presentation Packages (*.PNP)",
                                      kPrinterCaption};
const ExportList kFeatureExports{"Windows Bitmap (*.BMP)", kPrinterCaption};

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> candidates) {
  return std::find(candidates.begin(), candidates.end(), value) != candidates.end();
}

const ExportList* ExportsFor(std::string_view importPattern) {
  if (IsOneOf(importPattern, {"*.IPT", "*.PRT*"})) return &kPartExports;
  if (importPattern == "*.IDW") return &kDrawingExports;
  if (importPattern == "*.IPN") return &kPresentationExports;
  if (importPattern == "*.IDE") return &kFeatureExports;
  if (IsOneOf(importPattern,
              {"*.IAM", "*.DWG", "*.DXF", "*.SAT", "*.IGS", "*.IGE", "*.IGES", "*.ASM*", "*.STP", "*.STE", "*.STEP"})) {
    return &kAssemblyExports;
  }
  return nullptr;
}

// Foreign formats offer the assembly list; their variants of STEP and IGES
// stand for the one STEP and IGES export, which is then not offered.
std::string OwnExportPattern(std::string_view importCaption, bool assemblyList) {
  std::string own = TextInParentheses(importCaption);
  if (!assemblyList) return own;
  if (own == "*.STEP" || own == "*.STE") return "*.STP";
  if (own == "*.IGES" || own == "*.IGE") return "*.IGS";
  return own;
}

}  // namespace

std::vector<std::string> FillImportList() { return {kImportCaptions.begin(), kImportCaptions.end()}; }

std::vector<std::string> FillExportList(std::string_view importPattern, std::string_view importCaption) {
  const ExportList* exports = ExportsFor(ToUpperAscii(importPattern));
  if (exports == nullptr) return {};
  const std::string own = OwnExportPattern(importCaption, exports == &kAssemblyExports);
  std::vector<std::string> offered;
  for (std::string_view caption : *exports) {
    if (TextInParentheses(caption) != own) offered.emplace_back(caption);
  }
  std::stable_sort(offered.begin(), offered.end(),
                   [](const std::string& a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; });
  return offered;
}

std::string PatternOf(std::string_view caption) { return ToUpperAscii(TextInParentheses(caption)); }

void ApplyExportChoice(std::string_view exportCaption, const ProgramSettings& settings, ExportChoiceForm& form) {
  const std::string pattern = PatternOf(exportCaption);
  if (pattern == "*.DWG") {
    form.SetExportSettingsFile(settings.BatchLastExportDWGFile);
    form.SetPrintDocuments(true, false);
  } else if (pattern == "*.DXF") {
    form.SetExportSettingsFile(settings.BatchLastExportDXFFile);
    form.SetPrintDocuments(true, false);
  } else if (pattern == kPrinterPattern) {
    form.SetExportSettingsFile(settings.BatchLastSettingFile);
    form.SetPrintDocuments(false, true);
  } else {
    form.SetExportSettingsFile(settings.BatchLastSettingFile);
    form.SetPrintDocuments(true, false);
  }
  form.SetImportSettingsFile(settings.BatchLastImportDWGFile);
}

bool IsDwgOrDxfExport(std::string_view exportCaption) {
  const std::string pattern = PatternOf(exportCaption);
  return pattern == "*.DWG" || pattern == "*.DXF";
}

std::string ExportTagOf(std::string_view exportCaption) {
  const std::string_view last_four =
      exportCaption.size() > 4 ? exportCaption.substr(exportCaption.size() - 4) : exportCaption;
  return ToUpperAscii(last_four.substr(0, 3));
}

bool NeedsTranslatorPreparation(std::string_view exportCaption) {
  const std::string tag = ExportTagOf(exportCaption);
  return tag == "STL" || tag == "SAT" || tag == "IGS";
}

}  // namespace korrin
