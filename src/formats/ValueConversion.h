#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korrin {

// Conversions of option values read from the export template. Each gives
// nothing for a text that is no value of its kind (an empty text among them).
// Numbers take "." as the decimal point whatever the locale, and also the
// decimal separator of the user's locale, since the settings window writes
// numbers as the user typed them; group separators are refused. They may
// carry blanks around them, a sign and an exponent.

std::optional<double> ToReal(std::string_view text);
// Rounded to the nearest integer, halves to even; outside -32768..32767 fails.
std::optional<std::int16_t> ToInt16(std::string_view text);
// The same rounding; outside -2147483648..2147483647 fails.
std::optional<std::int32_t> ToInt32(std::string_view text);
// "True" or "False" in any case, or a number: non-zero is true.
std::optional<bool> ToFlag(std::string_view text);

// A real as the settings window shows it: at most 15 significant digits, no
// trailing zeros ("1", "0.75").
std::string RealText(double value);
// The same, with the decimal separator of the user's locale.
std::string LocaleRealText(double value);

// The decimal separator of the C library's numeric locale. Qt's application
// object sets that locale from the user's environment when a program starts;
// without it (or for a separator of several bytes) this is ".".
char LocaleDecimalSeparator();

}  // namespace korrin
