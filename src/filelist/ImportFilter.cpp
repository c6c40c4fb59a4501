#include "filelist/ImportFilter.h"

#include "settings/TextCase.h"

namespace korrin {
namespace {

// Whether the number the text starts with is above 0: "12" and "3b" are,
// "0", "" and "b3" are not.
bool LeadingNumberAboveZero(std::string_view text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    if (c != '0') return true;
  }
  return false;
}

}  // namespace

std::string_view LastThree(std::string_view text) { return text.size() > 3 ? text.substr(text.size() - 3) : text; }

bool MatchesImportFilter(std::string_view fileName, std::string_view filter) {
  if (EqualsIgnoringCase(LastThree(fileName), LastThree(filter))) return true;

  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || !LeadingNumberAboveZero(fileName.substr(dot + 1))) return false;
  const std::string_view unversioned = fileName.substr(0, dot);
  return (EndsWithIgnoringCase(unversioned, "PRT") && filter == "*.PRT*") ||
         (EndsWithIgnoringCase(unversioned, "ASM") && filter == "*.ASM*");
}

}  // namespace korrin
