#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korrin {

// The one pair of conversions between the program's text (UTF-8) and the
// system's paths. Never convert through path's own string constructor: on
// Windows it reads the system code page, so "é" turns into two characters
// and a file with a garbled name is made. Neither call throws.

// Bytes that are not UTF-8 are taken as Latin-1 characters, so nothing is
// dropped (a settings file written in a Western code page keeps its accents).
std::filesystem::path PathFromText(std::string_view text);
// A name the system holds that is no Unicode (a lone surrogate) gives U+FFFD.
std::string TextFromPath(const std::filesystem::path& path);

}  // namespace korrin
