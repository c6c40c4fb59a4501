#pragma once

#include <string>
#include <string_view>

namespace korrin {

// Conversions between the program's 8-bit text (UTF-8) and UTF-16: the
// system's wide text on Windows, and the little-endian bytes of files the
// other system writes (registry export files, shortcut files).

// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
// Bytes that are not UTF-8 are taken as Latin-1 characters, so nothing is
// dropped.
std::u16string Utf8ToUtf16(std::string_view text);

// The same on bytes; a trailing odd byte is ignored.
std::string Utf16LeToUtf8(std::string_view bytes);
std::string Utf8ToUtf16Le(std::string_view text);

}  // namespace korrin
