#include "settings/TextEncoding.h"

#include <cstdint>

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

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    bool valid = length > 0 && i + length <= text.size();
    std::uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || !IsCodePoint(code, length)) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
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
