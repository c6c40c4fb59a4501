#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace korrin::standin {

// The sheet sizes the stand-in host knows, landscape, in centimetres, with
// the size code its sheets report for them.
struct SheetSize {
  std::string_view name;
  double widthCentimetres;
  double heightCentimetres;
  std::int32_t sizeCode;
};

inline constexpr std::array<SheetSize, 10> kSheetSizes{{
    {"A4", 29.7, 21.0, 9993},
    {"A3", 42.0, 29.7, 9994},
    {"A2", 59.4, 42.0, 9995},
    {"A1", 84.1, 59.4, 9996},
    {"A0", 118.9, 84.1, 9997},
    {"ANSI A", 27.94, 21.59, 9987},
    {"ANSI B", 43.18, 27.94, 9988},
    {"ANSI C", 55.88, 43.18, 9989},
    {"ANSI D", 86.36, 55.88, 9990},
    {"ANSI E", 111.76, 86.36, 9991},
}};

// The size of that name; the first (A4) when there is none.
constexpr const SheetSize& SheetSizeNamed(std::string_view name) {
  for (const SheetSize& size : kSheetSizes) {
    if (size.name == name) return size;
  }
  return kSheetSizes.front();
}

}  // namespace korrin::standin
