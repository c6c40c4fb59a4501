#include "formats/ValueConversion.h"

#include <gtest/gtest.h>

#include "support/DecimalCommaLocale.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korrin {
namespace {

TEST(ValueConversionTest, ToInt16RoundsHalvesToEvenWithinRange) {
  const std::vector<std::pair<std::string_view, std::int16_t>> cases{
      {"2.5", 2},   {"3.5", 4},  {"0.5", 0},     {"-2.5", -2},    {"2.6", 3},         {" 12 ", 12},
      {"\t7", 7},   {"+7", 7},   {"-7", -7},     {"1e2", 100},    {"2.5E1", 25},      {"32767", 32767},
      {"-32768", -32768}, {"-32768.5", -32768},  // the even neighbour is still in range
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ToInt16(text), std::optional<std::int16_t>(expected)) << text;
  for (std::string_view text : {"", " ", "abc", "1x", "1,5", ".", "+-1", "40000", "-32769", "32767.5", "32768"}) {
    EXPECT_EQ(ToInt16(text), std::nullopt) << text;
  }
}

TEST(ValueConversionTest, ToInt32RoundsAsToInt16OverTheWiderRange) {
  const std::vector<std::pair<std::string_view, std::int32_t>> cases{
      {"2.5", 2},           {"-3.5", -4},          {" 40000 ", 40000},           {"1e9", 1000000000},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"-2147483648.5", -2147483647 - 1},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ToInt32(text), std::optional<std::int32_t>(expected)) << text;
  for (std::string_view text : {"", "abc", "1,5", "2147483647.5", "2147483648", "-2147483649", "1e10"}) {
    EXPECT_EQ(ToInt32(text), std::nullopt) << text;
  }
}

TEST(ValueConversionTest, ToFlagTakesTrueFalseInAnyCaseAndNumbers) {
  const std::vector<std::pair<std::string_view, bool>> cases{
      {"True", true}, {"false", false}, {"TRUE", true}, {"fAlSe", false}, {" True ", true},
      {"1", true},    {"-1", true},     {"2.5", true},  {"0", false},     {"0.0", false},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ToFlag(text), std::optional<bool>(expected)) << text;
  for (std::string_view text : {"yes", "", "Tru", "Truee", "no", "1x"}) EXPECT_EQ(ToFlag(text), std::nullopt) << text;
}

TEST(ValueConversionTest, ToRealReadsPointDecimalsButNoInfinityOrNan) {
  const std::vector<std::pair<std::string_view, double>> cases{
      {"0.75", 0.75}, {" 2 ", 2.0}, {".5", 0.5}, {"-1.5e3", -1500.0}, {"+3", 3.0},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ToReal(text), std::optional<double>(expected)) << text;
  for (std::string_view text : {"inf", "-inf", "INF", "nan", "NaN", "infinity", "", "e5", "1.2.3", "0,75", "- 1"}) {
    EXPECT_EQ(ToReal(text), std::nullopt) << text;
  }
}

TEST(ValueConversionTest, RealTextShowsAtMostFifteenDigitsWithoutTrailingZeros) {
  const std::vector<std::pair<double, std::string>> cases{
      {1.0, "1"}, {0.75, "0.75"}, {-3.0, "-3"}, {100.0, "100"}, {0.1, "0.1"}, {1.0 / 3.0, "0.333333333333333"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(RealText(value), expected) << value;
}

TEST(ValueConversionTest, ADecimalCommaLocaleReadsItsSeparatorAndThePointButNoGroups) {
  const testing::DecimalCommaLocale german;
  if (!german.active()) GTEST_SKIP() << german.reason();
  ASSERT_EQ(LocaleDecimalSeparator(), ',');
  const std::vector<std::pair<std::string_view, double>> reals{
      {"0,5", 0.5}, {"0.5", 0.5}, {" 2,25 ", 2.25}, {",5", 0.5}, {"-1,5e3", -1500.0}, {"3", 3.0},
  };
  for (const auto& [text, expected] : reals) EXPECT_EQ(ToReal(text), std::optional<double>(expected)) << text;
  for (std::string_view text : {"1.000,5", "1,000.5", "1,2,3", ",", "0,5x", "inf"}) {
    EXPECT_EQ(ToReal(text), std::nullopt) << text;
  }
  // Copies, bitmap sizes and the other whole numbers go through the same reading.
  EXPECT_EQ(ToInt16("3,0"), std::optional<std::int16_t>(3));
  EXPECT_EQ(ToInt16("640,4"), std::optional<std::int16_t>(640));
  EXPECT_EQ(ToInt16("640.6"), std::optional<std::int16_t>(641));
  EXPECT_EQ(ToFlag("0,0"), std::optional<bool>(false));
  EXPECT_EQ(LocaleRealText(0.75), "0,75");
  EXPECT_EQ(RealText(0.75), "0.75") << "files keep the point";
}

TEST(ValueConversionTest, WithoutALocaleTheCommaIsNoDecimalSeparator) {
  ASSERT_EQ(LocaleDecimalSeparator(), '.');
  EXPECT_EQ(ToReal("0,5"), std::nullopt);
  EXPECT_EQ(LocaleRealText(0.75), "0.75");
}

}  // namespace
}  // namespace korrin
