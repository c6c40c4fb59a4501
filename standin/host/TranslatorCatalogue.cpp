#include "TranslatorCatalogue.h"

#include <cstdint>

namespace korrin::standin {

using namespace std::string_literals;

const std::vector<AddInDescription>& StandinAddIns() {
  static const std::vector<AddInDescription> addIns = {
      {"Content Library Browser", std::nullopt},
      {"Autodesk DWF Translator", TranslatorFormat::Dwf},
      {"Autodesk DWG Translator", TranslatorFormat::Dwg},
      {"Sheet Metal Unfolder", std::nullopt},
      {"Autodesk DXF Translator", TranslatorFormat::Dxf},
      {"Autodesk IGES Translator", TranslatorFormat::Iges},
      {"Frame Layout Helper", std::nullopt},
      {"Autodesk SAT Translator", TranslatorFormat::Sat},
      {"Autodesk STEP Translator", TranslatorFormat::Step},
      {"Autodesk STL Translator", TranslatorFormat::Stl},
  };
  return addIns;
}

const std::vector<TranslatorOption>& SaveCopyAsOptions(TranslatorFormat format) {
  static const std::vector<TranslatorOption> drafting = {{kAcadSettingsOption, ""s}};
  static const std::vector<TranslatorOption> sat = {{"AcisVersion", std::int32_t{70}}};
  static const std::vector<TranslatorOption> iges = {
      {"GeometryType", "Surfaces"s}, {"SurfaceType", "143 - Bounded"s}, {"SolidFaceType", "Analytic"s}};
  static const std::vector<TranslatorOption> step = {{"ApplicationProtocolType", std::int32_t{2}},
                                                     {"Author", ""s},
                                                     {"Authorization", ""s},
                                                     {"Description", ""s},
                                                     {"Organization", ""s}};
  static const std::vector<TranslatorOption> stl = {{"Resolution", std::int32_t{1}}};
  switch (format) {
    case TranslatorFormat::Dwg:
    case TranslatorFormat::Dxf:
    case TranslatorFormat::Dwf:
      return drafting;
    case TranslatorFormat::Sat:
      return sat;
    case TranslatorFormat::Iges:
      return iges;
    case TranslatorFormat::Step:
      return step;
    case TranslatorFormat::Stl:
      return stl;
  }
  return sat;
}

const std::vector<TranslatorOption>& OpenOptions(TranslatorFormat format) {
  static const std::vector<TranslatorOption> drafting = {{"Import_Acad_IniFile", ""s}};
  static const std::vector<TranslatorOption> none;
  switch (format) {
    case TranslatorFormat::Dwg:
    case TranslatorFormat::Dxf:
      return drafting;
    default:
      return none;
  }
}

std::string_view FormatName(TranslatorFormat format) {
  switch (format) {
    case TranslatorFormat::Dwg: return "DWG";
    case TranslatorFormat::Dxf: return "DXF";
    case TranslatorFormat::Dwf: return "DWF";
    case TranslatorFormat::Sat: return "SAT";
    case TranslatorFormat::Iges: return "IGES";
    case TranslatorFormat::Step: return "STEP";
    case TranslatorFormat::Stl: return "STL";
  }
  return "";
}

}  // namespace korrin::standin
