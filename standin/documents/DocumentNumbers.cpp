#include "documents/DocumentNumbers.h"

#include <array>
#include <charconv>

namespace korrin::standin {
namespace {

// The longest fixed-point double (the smallest subnormal) takes 326
// characters, so every value fits.
constexpr std::size_t kDecimalTextCapacity = 400;

bool IsDigit(char character) { return character >= '0' && character <= '9'; }

std::size_t DigitsFrom(std::string_view text, std::size_t position) {
  std::size_t end = position;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - position;
}

std::size_t SignLength(std::string_view text) { return !text.empty() && text.front() == '-' ? 1 : 0; }

bool IsWholeNumberSyntax(std::string_view text) {
  const std::size_t sign = SignLength(text);
  const std::size_t digits = DigitsFrom(text, sign);
  return digits > 0 && sign + digits == text.size();
}

bool IsDecimalSyntax(std::string_view text) {
  const std::size_t sign = SignLength(text);
  const std::size_t whole = DigitsFrom(text, sign);
  if (whole == 0) return false;
  std::size_t position = sign + whole;
  if (position == text.size()) return true;
  if (text[position] != '.') return false;
  const std::size_t fraction = DigitsFrom(text, position + 1);
  return fraction > 0 && position + 1 + fraction == text.size();
}

template <typename Number, typename... Format>
NumberRead<Number> Converted(std::string_view text, Format... format) {
  NumberRead<Number> read;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read.value, format...);
  if (error == std::errc::result_out_of_range) {
    read.syntax = NumberSyntax::OutOfRange;
  } else if (error == std::errc() && end == text.data() + text.size()) {
    read.syntax = NumberSyntax::Read;
  }
  return read;
}

}  // namespace

NumberRead<std::int32_t> ReadWholeNumber(std::string_view text) {
  if (!IsWholeNumberSyntax(text)) return {};
  return Converted<std::int32_t>(text);
}

NumberRead<double> ReadDecimal(std::string_view text) {
  if (!IsDecimalSyntax(text)) return {};
  // Digits beyond the double range come back out of range, never infinite.
  return Converted<double>(text, std::chars_format::fixed);
}

std::string DecimalText(double value) {
  std::array<char, kDecimalTextCapacity> buffer{};
  // Infinities and NaN come out as "inf" and "nan", which no reader takes.
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return std::string(buffer.data(), written.ptr);
}

}  // namespace korrin::standin
