#pragma once

#include <string_view>

namespace korrin {

// Whether a file name belongs to the chosen import format, whose filter is
// the format's pattern ("*.IDW", "*.IGES", "*.PRT*"). Names match on their
// last three characters, ignoring case, so "*.IGES" takes every name ending
// in "GES". Pro/ENGINEER keeps versions as a numeric last extension:
// "bracket.prt.12" is a "*.PRT*" file, "bracket.prt.0" is not.
bool MatchesImportFilter(std::string_view fileName, std::string_view filter);

// The last three characters of a text, or all of it when it is shorter.
std::string_view LastThree(std::string_view text);

}  // namespace korrin
