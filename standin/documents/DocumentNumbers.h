#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korrin::standin {

// Numbers in a document file: plain digits with an optional leading '-',
// decimals with a '.' whatever the locale, never an exponent, "inf" or "nan".

enum class NumberSyntax { Read, NotANumber, OutOfRange };

template <typename Number>
struct NumberRead {
  NumberSyntax syntax = NumberSyntax::NotANumber;
  Number value{};
};

// Digits only (and the sign), within the 32-bit signed range.
NumberRead<std::int32_t> ReadWholeNumber(std::string_view text);
// Digits, optionally a '.' and more digits; finite.
NumberRead<double> ReadDecimal(std::string_view text);

// The shortest decimal that reads back as exactly this value.
std::string DecimalText(double value);

}  // namespace korrin::standin
