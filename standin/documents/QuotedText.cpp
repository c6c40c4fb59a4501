#include "documents/QuotedText.h"

#include <array>
#include <utility>

namespace korrin::standin {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kHexDigitBits = 4;
constexpr unsigned char kLowHexDigitMask = 0x0F;
constexpr std::array<std::pair<char, char>, 5> kEscapes{{
    {'\\', '\\'},
    {'"', '"'},
    {'\t', 't'},
    {'\r', 'r'},
    {'\n', 'n'},
}};
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x80;

void AppendEscaped(std::string& quoted, char character) {
  const auto byte = static_cast<unsigned char>(character);
  if (const char letter = EscapeLetterOf(character); letter != '\0') {
    quoted += '\\';
    quoted += letter;
  } else if (byte < kFirstPrintable || byte == kDelete) {
    quoted += "\\x";
    quoted += kHexDigits[byte >> kHexDigitBits];
    quoted += kHexDigits[byte & kLowHexDigitMask];
  } else {
    quoted += character;
  }
}

bool IsUtf8Continuation(char character) {
  return (static_cast<unsigned char>(character) & kContinuationMask) == kContinuationBits;
}

std::string_view ShortenedBetweenCharacters(std::string_view text) {
  std::size_t length = kShownTextBytes;
  while (length > 0 && IsUtf8Continuation(text[length])) --length;
  return text.substr(0, length);
}

}  // namespace

char EscapeLetterOf(char character) {
  for (const auto& [escaped, letter] : kEscapes) {
    if (escaped == character) return letter;
  }
  return '\0';
}

char EscapedCharacterOf(char letter) {
  for (const auto& [escaped, listed] : kEscapes) {
    if (listed == letter) return escaped;
  }
  return '\0';
}

std::string QuotedText(std::string_view text) {
  std::string quoted = "\"";
  for (const char character : text) AppendEscaped(quoted, character);
  quoted += '"';
  return quoted;
}

std::string ShownText(std::string_view text) {
  if (text.size() <= kShownTextBytes) return QuotedText(text);
  std::string shown = QuotedText(ShortenedBetweenCharacters(text));
  shown.insert(shown.size() - 1, "...");
  return shown;
}

}  // namespace korrin::standin
