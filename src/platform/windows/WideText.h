#pragma once

#include <string>
#include <string_view>

namespace korrin {

// The program's text (UTF-8) and the system's wide text (UTF-16), for the
// calls that take names and values rather than paths. Embedded NUL
// characters are kept, so multi-text crosses whole. Neither call fails.

// Bytes that are not UTF-8 are taken as Latin-1 characters, as paths are.
std::wstring WideFromText(std::string_view text);
// A lone surrogate gives U+FFFD.
std::string TextFromWide(std::wstring_view wide);

}  // namespace korrin
