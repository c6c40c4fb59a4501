#include <gtest/gtest.h>

#include "settings/TextEncoding.h"

namespace korrin {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, Utf8BecomesUtf16AndBytesThatAreNoUtf8BecomeLatin1) {
  const struct {
    std::string text;
    std::u16string units;
  } cases[] = {
      {"abc", u"abc"},
      {"K\xC3\xA4se", u"K\u00E4se"},                       // two bytes
      {"\xE2\x82\xAC", u"\u20AC"},                          // three bytes
      {"\xF0\x9F\x98\x80", u"\U0001F600"},                  // four bytes: a surrogate pair
      {"\xE9t\xE9", u"\u00E9t\u00E9"},                      // Latin-1 text as a Western code page writes it
      {"\xC3", u"\u00C3"},                                  // cut short at the end
      {"\xC3(", u"\u00C3("},                                // a continuation byte missing
      {"\xC0\xAF", u"\u00C0\u00AF"},                        // overlong form of "/"
      {"\xE0\x80\xAF", u"\u00E0\u0080\u00AF"},              // overlong in three bytes
      {"\xED\xA0\x80", u"\u00ED\u00A0\u0080"},              // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\u00F4\u0090\u0080\u0080"},    // beyond U+10FFFF
      {"\xFF\xFE", u"\u00FF\u00FE"},
      {"\0x"s, u"\0x"s},                                    // a NUL is a character like any other
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.text), c.units) << ::testing::PrintToString(c.text);
  }
}

TEST(TextEncoding, Utf16BecomesUtf8AndALoneSurrogateBecomesTheReplacementCharacter) {
  const struct {
    std::u16string units;
    std::string text;
  } cases[] = {
      {u"abc", "abc"},
      {u"K\u00E4se", "K\xC3\xA4se"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"a\xD800" u"b", "a\xEF\xBF\xBD" "b"},   // a high surrogate without its low one
      {u"a\xDC00", "a\xEF\xBF\xBD"},            // a low surrogate alone
      {u"\xD83D", "\xEF\xBF\xBD"},              // a high surrogate at the end
      {u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // the pair the wrong way round
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(c.units), c.text) << ::testing::PrintToString(c.text);
  }
}

TEST(TextEncoding, LittleEndianBytesCarryTheSameUnits) {
  EXPECT_EQ(Utf8ToUtf16Le("A\xC3\xA4\xF0\x9F\x98\x80"), "A\0\xE4\0\x3D\xD8\x00\xDE"s);
  EXPECT_EQ(Utf16LeToUtf8("A\0\xE4\0\x3D\xD8\x00\xDE"s), "A\xC3\xA4\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16LeToUtf8("A\0B"s), "A");  // the odd byte at the end is dropped
  EXPECT_EQ(Utf16LeToUtf8(""), "");
}

}  // namespace
}  // namespace korrin
