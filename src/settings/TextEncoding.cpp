#include "settings/TextEncoding.h"

#include <cstdint>
#include <iterator>

namespace korrin {
namespace {

constexpr std::uint32_t kReplacementCharacter = 0xFFFD;
constexpr std::uint32_t kHighSurrogates = 0xD800;
constexpr std::uint32_t kLowSurrogates = 0xDC00;
constexpr std::uint32_t kSurrogatesEnd = 0xE000;
constexpr std::uint32_t kSupplementaryPlanes = 0x10000;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;

// The smallest code a sequence of each length may carry: a longer sequence
// for a smaller code (an overlong form) is no UTF-8.
constexpr std::uint32_t kSmallestCode[] = {0, 0, 0x80, 0x800, 0x10000};

bool IsCodePoint(std::uint32_t code, std::size_t length) {
  return code >= kSmallestCode[length] && code <= kLastCodePoint &&
         !(code >= kHighSurrogates && code < kSurrogatesEnd);
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The character a UTF-8 sequence starting at index carries; not valid when
// the bytes there are no UTF-8 (the caller then takes the lead byte alone).
struct Utf8Character {
  std::uint32_t code = 0;
  std::size_t length = 0;
  bool valid = false;
};

Utf8Character Utf8CharacterAt(std::string_view text, std::size_t index) {
  const auto lead = static_cast<unsigned char>(text[index]);
  const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  bool valid = length > 0 && index + length <= text.size();
  std::uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  for (std::size_t k = 1; valid && k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[index + k]);
    valid = (next & 0xC0) == 0x80;
    code = (code << 6) | (next & 0x3F);
  }
  if (!valid || !IsCodePoint(code, length)) return {lead, 1, false};
  return {code, length, true};
}

// Windows-1252's bytes 0x80 to 0x9F; the undefined ones keep their number.
constexpr std::uint32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr std::uint32_t kWindows1252HighFirst = 0x80;
constexpr std::uint32_t kWindows1252HighEnd = 0xA0;
constexpr std::uint32_t kLatin1End = 0x100;

std::optional<char> Windows1252ByteOf(std::uint32_t code) {
  if (code < kWindows1252HighFirst || (code >= kWindows1252HighEnd && code < kLatin1End)) {
    return static_cast<char>(code);
  }
  for (std::uint32_t index = 0; index < std::size(kWindows1252High); ++index) {
    if (kWindows1252High[index] == code) return static_cast<char>(kWindows1252HighFirst + index);
  }
  return std::nullopt;
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    std::uint32_t code = units[i];
    if (code >= kHighSurrogates && code < kLowSurrogates && i + 1 < units.size()) {
      const std::uint32_t low = units[i + 1];
      if (low >= kLowSurrogates && low < kSurrogatesEnd) {
        code = kSupplementaryPlanes + ((code - kHighSurrogates) << 10) + (low - kLowSurrogates);
        ++i;
      }
    }
    if (code >= kHighSurrogates && code < kSurrogatesEnd) code = kReplacementCharacter;
    AppendUtf8(out, code);
  }
  return out;
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const Utf8Character character = Utf8CharacterAt(bytes, i);
    if (!character.valid) return false;
    i += character.length;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    const bool high = value >= kWindows1252HighFirst && value < kWindows1252HighEnd;
    AppendUtf8(out, high ? kWindows1252High[value - kWindows1252HighFirst] : value);
  }
  return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Character character = Utf8CharacterAt(text, i);
    const std::optional<char> byte = character.valid ? Windows1252ByteOf(character.code) : std::nullopt;
    if (!byte) return std::nullopt;
    out += *byte;
    i += character.length;
  }
  return out;
}

std::optional<std::string> FirstCharacterNotInWindows1252(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Character character = Utf8CharacterAt(text, i);
    if (!character.valid || !Windows1252ByteOf(character.code)) return std::string(text.substr(i, character.length));
    i += character.length;
  }
  return std::nullopt;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Character character = Utf8CharacterAt(text, i);
    std::uint32_t code = character.code;
    if (!character.valid) {
      out += static_cast<char16_t>(code);
      ++i;
      continue;
    }
    const std::size_t length = character.length;
    if (code >= kSupplementaryPlanes) {
      code -= kSupplementaryPlanes;
      out += static_cast<char16_t>(kHighSurrogates + (code >> 10));
      out += static_cast<char16_t>(kLowSurrogates + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return Utf16ToUtf8(units);
}

std::string Utf8ToUtf16Le(std::string_view text) {
  const std::u16string units = Utf8ToUtf16(text);
  std::string out;
  out.reserve(units.size() * 2);
  for (const char16_t unit : units) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

}  // namespace korrin
