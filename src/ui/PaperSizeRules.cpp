#include "ui/PaperSizeRules.h"

#include <QLocale>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "formats/ValueConversion.h"
#include "settings/TextCase.h"
#include "ui/FormControls.h"

namespace korrin {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr std::string_view kNewPaper = "NewPaper";
// What a paper name that tells no size gives for both sides.
constexpr double kNoSize = -1;
constexpr char kPaperFieldSeparator = ';';

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view TrimmedRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return TrimmedRight(text);
}

// Takes the unit off the end of a name and gives its factor to millimetres.
double TakeUnit(std::string_view& text) {
  if (EndsWithIgnoringCase(text, "MM") || EndsWithIgnoringCase(text, "IN")) {
    const double factor = EndsWithIgnoringCase(text, "IN") ? kMillimetresPerInch : 1.0;
    text = TrimmedRight(text.substr(0, text.size() - 2));
    return factor;
  }
  return 1.0;
}

// Takes the number at the end of the text off it; "," counts as the decimal
// point. 0 when there is none or it is no number above 0.
double TakeNumberAtEnd(std::string_view& text) {
  std::size_t start = text.size();
  while (start > 0 && (IsDigit(text[start - 1]) || text[start - 1] == '.' || text[start - 1] == ',')) --start;
  std::string number(text.substr(start));
  std::replace(number.begin(), number.end(), ',', '.');
  text = text.substr(0, start);
  const double value = ToReal(number).value_or(0);
  return value > 0 ? value : 0;
}

double RoundedToOneDecimal(double value) { return std::nearbyint(value * 10) / 10; }

// The number a text starts with, "." as the decimal point; 0 for none.
double LeadingNumber(std::string_view text) {
  text = Trimmed(text);
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  while (end < text.size() && IsDigit(text[end])) ++end;
  if (end < text.size() && text[end] == '.') ++end;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return ToReal(text.substr(0, end)).value_or(0);
}

std::optional<double> LocaleWholeNumber(const QString& text) {
  const std::optional<double> number = LocaleNumber(text);
  if (!number) return std::nullopt;
  return std::nearbyint(*number);
}

// A size may be typed with "," or "." as the decimal point whatever the
// locale, as the fields' tooltips promise.
std::optional<double> SizeWholeNumber(const std::string& text) {
  if (const std::optional<double> whole = LocaleWholeNumber(ToQt(text))) return whole;
  std::string withPoint = text;
  std::replace(withPoint.begin(), withPoint.end(), ',', '.');
  if (const std::optional<double> number = ToReal(withPoint)) return std::nearbyint(*number);
  return std::nullopt;
}

bool IsPositiveSize(const std::string& text) {
  return LeadingNumber(text) > 0 && SizeWholeNumber(text).value_or(0) >= 1;
}

bool HoldsFieldSeparator(const std::string& text) { return text.find(kPaperFieldSeparator) != std::string::npos; }

}  // namespace

PaperSizeOfName PaperSizeFromName(std::string_view name) {
  std::string_view text = name;
  const std::size_t close = text.find(']');
  if (text.find('[') != std::string_view::npos && close != std::string_view::npos) {
    text = Trimmed(text.substr(0, close));
  }
  const double factor = TakeUnit(text);
  PaperSizeOfName size;
  size.height = TakeNumberAtEnd(text);
  while (!text.empty() && !IsDigit(text.back())) text.remove_suffix(1);
  if (text.empty()) {
    // A single number ("A4") or none tells no size at all: the user types it.
    size.width = kNoSize;
    size.height = kNoSize;
  } else {
    size.width = TakeNumberAtEnd(text);
  }
  size.width = RoundedToOneDecimal(size.width * factor);
  size.height = RoundedToOneDecimal(size.height * factor);
  return size;
}

std::string NewPaperName(const std::vector<PaperSizeRow>& rows) {
  double highest = 0;
  for (const PaperSizeRow& row : rows) {
    if (ToUpperAscii(row.name).rfind(ToUpperAscii(kNewPaper), 0) != 0) continue;
    const std::optional<double> number = LocaleNumber(ToQt(row.name.substr(kNewPaper.size())));
    highest = std::max(highest, number && *number > 0 ? std::nearbyint(*number) : 1.0);
  }
  if (highest < 1) return std::string(kNewPaper) + "1";
  // Room for the digits of the largest double written out whole.
  char digits[std::numeric_limits<double>::max_exponent10 + 2];
  const auto written = std::to_chars(digits, digits + sizeof digits, highest + 1, std::chars_format::fixed, 0);
  if (written.ec != std::errc()) return std::string(kNewPaper) + "1";
  return std::string(kNewPaper) + std::string(digits, written.ptr);
}

std::optional<std::string> PaperSeparatorProblem(const PaperSizeRow& row) {
  if (HoldsFieldSeparator(row.name)) return kNameSeparatorProblem;
  if (HoldsFieldSeparator(row.description)) return kDescriptionSeparatorProblem;
  return std::nullopt;
}

std::optional<std::string> PaperDefinitionProblem(const PaperSizeRow& row) {
  if (row.name.empty()) return "Papername MUST be defined";
  if (HoldsFieldSeparator(row.name)) return kNameSeparatorProblem;
  if (!IsPositiveSize(row.width)) return "WIDTH value MUST be more than 0";
  if (!IsPositiveSize(row.height)) return "HEIGHT value MUST be more than 0";
  if (HoldsFieldSeparator(row.description)) return kDescriptionSeparatorProblem;
  return std::nullopt;
}

std::optional<QString> MultipliedWithInch(const QString& text) {
  const std::optional<double> whole = LocaleWholeNumber(text);
  if (!whole || *whole < -32768 || *whole > 32767) return std::nullopt;
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(*whole * kMillimetresPerInch, 'g', 15);
}

}  // namespace korrin
