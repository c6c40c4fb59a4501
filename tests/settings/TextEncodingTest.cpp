#include <gtest/gtest.h>

#include "settings/FileCodePage.h"
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

TEST(TextEncoding, Utf8IsToldFromOtherBytes) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},          {"plain ASCII", true},      {"K\xC3\xA4se", true},   {"\xF0\x9F\x98\x80", true},
      {"\xE9t\xE9", false}, {"\xC3", false},            {"\xC0\xAF", false},     {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false}, {"ok\xFF", false}, {"\0x"s, true},
  };
  for (const auto& [bytes, utf8] : cases) EXPECT_EQ(IsUtf8(bytes), utf8) << ::testing::PrintToString(bytes);
}

TEST(TextEncoding, Windows1252GivesEveryByteBackAndRefusesWhatItCannotHold) {
  const std::pair<std::string, std::string> cases[] = {
      {"K\xF8" "benhavn", "K\u00F8benhavn"},
      {"\x80", "\u20AC"},
      {"\x8A\x9F", "\u0160\u0178"},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // undefined: the control characters
      {"\xA0\xFF", "\u00A0\u00FF"},
      {"plain", "plain"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(Windows1252ToUtf8(bytes), text) << ::testing::PrintToString(bytes);
    EXPECT_EQ(Utf8ToWindows1252(text), bytes) << ::testing::PrintToString(bytes);
  }
  std::string every;
  for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(every)), every);

  EXPECT_EQ(Utf8ToWindows1252("\u0142"), std::nullopt);       // Polish l with stroke
  EXPECT_EQ(Utf8ToWindows1252("\u0080"), std::nullopt);       // 0x80 is the euro sign, not this control
  EXPECT_EQ(Utf8ToWindows1252("\xE9t\xE9"), std::nullopt);     // no UTF-8
  EXPECT_EQ(FirstCharacterNotInWindows1252("a\u00F8\u0142\u2460"), "\u0142");
  EXPECT_EQ(FirstCharacterNotInWindows1252("a\u00F8\u20AC"), std::nullopt);
  EXPECT_EQ(FirstCharacterNotInWindows1252("a\xE9"), "\xE9");
}

TEST(FileCodePage, AFileOfUtf8LinesIsUtf8AndAnyOtherIsWindows1252) {
  EXPECT_EQ(CodePageOfLines({}), FileCodePage::Utf8);
  EXPECT_EQ(CodePageOfLines({"A=1", "B=\u00F8"}), FileCodePage::Utf8);
  EXPECT_EQ(CodePageOfLines({"A=1", "B=\xF8", "C=\u00F8"}), FileCodePage::Windows1252);

  EXPECT_EQ(TextOfFileBytes("\xF8", FileCodePage::Windows1252), "\u00F8");
  EXPECT_EQ(TextOfFileBytes("\u00F8", FileCodePage::Utf8), "\u00F8");
  EXPECT_EQ(FileBytesOfText("\u00F8", FileCodePage::Windows1252), "\xF8");
  EXPECT_EQ(FileBytesOfText("\u0142", FileCodePage::Utf8), "\u0142");
  EXPECT_EQ(FileBytesOfText("\u0142", FileCodePage::Windows1252), std::nullopt);
  EXPECT_EQ(CharacterNotInCodePage("x\u0142", FileCodePage::Utf8), std::nullopt);
  EXPECT_EQ(CharacterNotInCodePage("x\u0142", FileCodePage::Windows1252), "\u0142");
  EXPECT_EQ(CharacterNotInCodePageMessage("\u0142", FileCodePage::Windows1252),
            "The character \"\u0142\" cannot be saved: this file is written in Windows-1252");
}

}  // namespace
}  // namespace korrin
