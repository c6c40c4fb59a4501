#include "engine/AcadTemplateSetup.h"

#include <array>
#include <charconv>
#include <cmath>

namespace korrin {
namespace {

struct SheetTemplate {
  const char* sizeName;
  const char* horizontal;
  const char* vertical;
  const char* fileName;
};

// A0 to A3 lie landscape and their "P" rows stand upright; for A4 it is the
// other way round, as the templates were named.
constexpr std::array<SheetTemplate, 10> kSheetTemplates{{
    {"A0", "1189", "841", "ORV-A0.DWT"},
    {"A0P", "841", "1189", "ORV-A0P.DWT"},
    {"A1", "841", "594", "ORV-A1.DWT"},
    {"A1P", "594", "841", "ORV-A1P.DWT"},
    {"A2", "594", "420", "ORV-A2.DWT"},
    {"A2P", "420", "594", "ORV-A2P.DWT"},
    {"A3", "420", "297", "ORV-A3.DWT"},
    {"A3P", "297", "420", "ORV-A3P.DWT"},
    {"A4", "210", "297", "ORV-A4.DWT"},
    {"A4P", "297", "210", "ORV-A4P.DWT"},
}};

// The leading number of a text, as a table cell reads: blanks first are
// skipped, what follows the number is ignored, no number reads as 0.
double LeadingNumber(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  while (begin != end && *begin == ' ') ++begin;
  double value = 0;
  (void)std::from_chars(begin, end, value);
  return value;
}

}  // namespace

AcadTemplateSetup::AcadTemplateSetup(std::string defaultFolder)
    : defaultFolder_(defaultFolder.empty() ? std::string(kFallbackAcadTemplateFolder) : std::move(defaultFolder)) {
  SetFolder("");
}

void AcadTemplateSetup::SetFolder(const std::string& text) {
  folder_ = text.empty() ? defaultFolder_ : text;
  rows_.clear();
  for (const SheetTemplate& sheet : kSheetTemplates) {
    rows_.push_back({sheet.sizeName, sheet.horizontal, sheet.vertical, folder_ + sheet.fileName});
  }
}

void AcadTemplateSetup::SetKeepLineweight(bool checked) {
  keepLineweight.checked = checked;
  replaceTitleBlock.enabled = StripsLineweights();
}

void AcadTemplateSetup::ExportPatternChanged(const std::string& exportPattern) {
  keepLineweight.enabled = exportPattern == "*.DWG";
  replaceTitleBlock.enabled = StripsLineweights();
}

std::optional<AcadTemplateRow> AcadTemplateSetup::RowForSheet(double widthMillimetres,
                                                              double heightMillimetres) const {
  // Rounded as the host rounds: halves to the even neighbour.
  const double width = std::nearbyint(widthMillimetres);
  const double height = std::nearbyint(heightMillimetres);
  for (const AcadTemplateRow& row : rows_) {
    if (LeadingNumber(row.horizontal) == width && LeadingNumber(row.vertical) == height) return row;
  }
  return std::nullopt;
}

}  // namespace korrin
