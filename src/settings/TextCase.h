#pragma once

#include <string>
#include <string_view>

namespace korrin {

// Upper-casing for comparisons is ASCII only, so keys, paths and patterns
// compare the same whatever the user's locale; other bytes stay as they are.
constexpr char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Negative, zero or positive as a sorts before, with or after b when both are
// upper-cased.
int CompareIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace korrin
