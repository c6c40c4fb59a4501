#include "formats/OptionKeys.h"

#include <array>

#include "settings/TextCase.h"

namespace korrin {
namespace {

constexpr std::array<OptionKey, 4> kIpt{{
    {"IPTSAVEPREVIEW", "1"},
    {"IPTACTIVEWINDOWONSAVE", "True"},
    {"IPTACTIVEWINDOW", "False"},
    {"IPTImportFromFile", "False"},
}};
constexpr std::array<OptionKey, 2> kBmp{{{"BMP_X", "0"}, {"BMP_Y", "0"}}};
constexpr std::array<OptionKey, 1> kSat{{{"SATSaveACISVersion", "7"}}};
constexpr std::array<OptionKey, 4> kStl{{
    {"STLHigh", "20000"},
    {"STLMedium", "6300"},
    {"STLLow", "2000"},
    {"STLValue", "2"},
}};
constexpr std::array<OptionKey, 5> kIgs{{
    {"IGSOutputGeometryType", "Surfaces"},
    {"IGSSurfaceType", "143 - Bounded"},
    {"IGSSolidFaceType", "Analytic"},
    {"IGSImportHealing", "1"},
    {"IGSImportStitch", "1"},
}};
constexpr std::array<OptionKey, 6> kStp{{
    {"STPApplicationProtocol", "False"},
    {"STPAutomotiveDesign", "DIS - Draft International Standard"},
    {"STPAuthorization", ""},
    {"STPAuthor", "Ivdefault"},
    {"STPOrganization", ""},
    {"STPDescription", ""},
}};
constexpr std::array<OptionKey, 1> kPtp{{{"PTPPublishComponentProperties", "1"}}};
constexpr std::array<OptionKey, 2> kAmp{{
    {"AMPPublishComponentProperties", "1"},
    {"AMPPublishDesignViewInformation", "0"},
}};
constexpr std::array<OptionKey, 2> kDwp{{{"DWPAllSheets", "True"}, {"DWPPublishProperties", "0"}}};
constexpr std::array<OptionKey, 14> kPrinter{{
    {"PrinterPrinter", "Default"},
    {"PrinterPapersize", "A3"},
    {"PrinterPrintRange", "1"},
    {"PrinterSheetrangeFrom", "1"},
    {"PrinterSheetRangeTo", "1"},
    {"PrinterScale", "1"},
    {"PrinterCustomScale", "1"},
    {"PrinterRotate90Deg", "0"},
    {"PrinterCopies", "1"},
    {"PrinterCollate", "1"},
    {"PrinterColormode", "False"},
    {"PrinterPrintToFile", "0"},
    {"PrinterFitNoneIDW", "1"},
    {"PrinterRendermethod", "3"},
}};

constexpr std::array<OptionSetKeys, 10> kSets{{
    {"IPT", kIpt},
    {"BMP", kBmp},
    {"SAT", kSat},
    {"STL", kStl},
    {"IGS", kIgs},
    {"STP", kStp},
    {"PTP", kPtp},
    {"AMP", kAmp},
    {"DWP", kDwp},
    {"PRINTER", kPrinter},
}};

}  // namespace

std::span<const OptionSetKeys> AllOptionSetKeys() { return kSets; }

std::string_view OptionSetTagOf(std::string_view argument) {
  const std::string three = ToUpperAscii(argument.substr(0, 3));
  for (const OptionSetKeys& set : kSets) {
    if (set.tag.substr(0, 3) == three) return set.tag;
  }
  return {};
}

}  // namespace korrin
