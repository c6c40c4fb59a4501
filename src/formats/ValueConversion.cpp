#include "formats/ValueConversion.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

#include "settings/TextCase.h"

namespace korrin {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The text with the locale's decimal separator turned into "."; nothing when
// the text also holds a "." and so one of the two would have to be a group
// separator.
std::optional<std::string> WithDecimalPoint(std::string_view text) {
  std::string pointed(text);
  const char separator = LocaleDecimalSeparator();
  if (separator == '.' || pointed.find(separator) == std::string::npos) return pointed;
  if (pointed.find('.') != std::string::npos) return std::nullopt;
  for (char& c : pointed) {
    if (c == separator) c = '.';
  }
  return pointed;
}

}  // namespace

char LocaleDecimalSeparator() {
  const char* point = std::localeconv()->decimal_point;
  if (point == nullptr || point[0] == '\0' || point[1] != '\0') return '.';
  return point[0];
}

std::optional<double> ToReal(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::optional<std::string> pointed = WithDecimalPoint(text);
  if (!pointed) return std::nullopt;
  const std::string& number = *pointed;
  // from_chars would also take "inf" and "nan", which are no option values.
  if (number.empty() || !(std::isdigit(static_cast<unsigned char>(number.front())) || number.front() == '.')) {
    return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return negative ? -value : value;
}

std::optional<std::int16_t> ToInt16(std::string_view text) {
  const std::optional<double> real = ToReal(text);
  if (!real) return std::nullopt;
  const double rounded = std::nearbyint(*real);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::optional<std::int32_t> ToInt32(std::string_view text) {
  const std::optional<double> real = ToReal(text);
  if (!real) return std::nullopt;
  const double rounded = std::nearbyint(*real);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::optional<bool> ToFlag(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (EqualsIgnoringCase(trimmed, "True")) return true;
  if (EqualsIgnoringCase(trimmed, "False")) return false;
  const std::optional<double> number = ToReal(trimmed);
  if (!number) return std::nullopt;
  return *number != 0.0;
}

std::string RealText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

std::string LocaleRealText(double value) {
  std::string text = RealText(value);
  const char separator = LocaleDecimalSeparator();
  for (char& c : text) {
    if (c == '.') c = separator;
  }
  return text;
}

}  // namespace korrin
