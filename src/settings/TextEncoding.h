#pragma once

#include <optional>
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

// Whether bytes are UTF-8 throughout: no overlong form, no encoded
// surrogate, nothing past U+10FFFF, no sequence cut short.
bool IsUtf8(std::string_view bytes);

// Windows-1252, the Western code page of the system the settings files come
// from, to UTF-8 and back. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the
// same numbers, as that system converts them, so every byte comes back.
std::string Windows1252ToUtf8(std::string_view bytes);
// Nothing when the text is no UTF-8 or holds a character the code page has
// no byte for.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);
// The first character of the UTF-8 text that Windows-1252 cannot hold, as
// UTF-8 (a byte that is no UTF-8 is given alone); nothing when it holds all.
std::optional<std::string> FirstCharacterNotInWindows1252(std::string_view text);

}  // namespace korrin
