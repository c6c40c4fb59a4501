#pragma once

#include <string>
#include <string_view>

namespace korrin {

// Conversions between the program's 8-bit text (UTF-8) and the UTF-16
// little-endian text of files the other system writes (registry export
// files, shortcut files).

// A trailing odd byte is ignored; an unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
// Bytes that are not UTF-8 are taken as Latin-1 characters, so nothing is
// dropped.
std::string Utf8ToUtf16Le(std::string_view text);

}  // namespace korrin
