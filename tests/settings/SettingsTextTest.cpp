#include <gtest/gtest.h>

#include "settings/PathText.h"
#include "settings/SettingsLine.h"
#include "settings/SettingsList.h"
#include "settings/TextCase.h"
#include "settings/TextTokens.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(SettingsLine, SplitsAtTheFirstEqualsAndTrimsNothing) {
  const struct {
    const char* line;
    KeyValue expected;
  } cases[] = {
      {"A=B=C", {"A", "B=C"}},
      {"=X", {"", "X"}},
      {"KEY=", {"KEY", ""}},
      {"[IPT]", {"[IPT]", ""}},
      {"", {"", ""}},
      {" STLHigh = 20000", {" STLHigh ", " 20000"}},
      {"; comment = kept", {"; comment ", " kept"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitKeyValue(c.line), c.expected) << c.line;
}

TEST(SettingsLine, KeysCompareUpperCasedWithoutTrimming) {
  EXPECT_TRUE(KeysEqual("stlhigh", "STLHigh"));
  EXPECT_FALSE(KeysEqual(" STLHigh", "STLHigh"));
  EXPECT_FALSE(KeysEqual("STLHigh ", "STLHigh"));
  // Only ASCII letters fold, so the comparison never depends on the locale.
  EXPECT_FALSE(KeysEqual("\xC3\xA9", "\xC3\x89"));
}

TEST(TextCase, OrdersByUpperCasedBytes) {
  EXPECT_LT(CompareIgnoringCase("c:\\a.ipt", "C:\\Z.IPT"), 0);
  EXPECT_EQ(CompareIgnoringCase("ABC", "abc"), 0);
  EXPECT_LT(CompareIgnoringCase("ab", "abc"), 0);
  EXPECT_GT(CompareIgnoringCase("b", "ABC"), 0);
  // Bytes above 127 sort after ASCII instead of as negative chars.
  EXPECT_GT(CompareIgnoringCase("\xC3", "z"), 0);
}

TEST(PathText, FollowsTheRulesForBothSeparators) {
  for (const char separator : {'\\', '/'}) {
    const std::string s(1, separator);
    SCOPED_TRACE(s);
    EXPECT_EQ(WithTrailingBackslash("C:" + s + "Temp", separator), "C:" + s + "Temp" + s);
    EXPECT_EQ(WithTrailingBackslash("C:" + s + "Temp" + s, separator), "C:" + s + "Temp" + s);
    EXPECT_EQ(WithTrailingBackslash("", separator), s);
    EXPECT_EQ(FolderOfPath("C:" + s + "Parts" + s + "Bracket.ipt", separator), "C:" + s + "Parts" + s);
    EXPECT_EQ(FolderOfPath("C:" + s + "Temp" + s, separator), "C:" + s + "Temp" + s);
    EXPECT_EQ(FolderOfPath("Bracket.ipt", separator), "");
    EXPECT_EQ(FileNameOfPath("C:" + s + "Parts" + s + "Bracket.ipt", separator), "Bracket.ipt");
    EXPECT_EQ(FileNameOfPath("C:" + s + "Temp" + s, separator), "");
    EXPECT_EQ(FileNameOfPath("Bracket.ipt", separator), "Bracket.ipt");
    EXPECT_EQ(JoinPath("C:" + s, "a.ipt", separator), "C:" + s + "a.ipt");
    EXPECT_EQ(JoinPath("C:" + s + "Parts", "a.ipt", separator), "C:" + s + "Parts" + s + "a.ipt");
  }
  EXPECT_EQ(JoinPath("/", "a.ipt", '/'), "/a.ipt");
}

TEST(PathText, FullPathsAreDrivesSharesOrAbsolute) {
  const std::pair<std::string, bool> windows[] = {
      {"C:\\", true},        {"C:\\Parts", true},   {"\\\\server\\share", true}, {"\\\\server", false},
      {"C:Parts", false},    {"Parts\\a.ipt", false}, {"", false},                  {"::{desktop}", false}};
  for (const auto& [path, full] : windows) EXPECT_EQ(IsFullPath(path, '\\'), full) << path;
  EXPECT_TRUE(IsFullPath("/", '/'));
  EXPECT_TRUE(IsFullPath("/home/parts", '/'));
  EXPECT_FALSE(IsFullPath("parts/a.ipt", '/'));
  EXPECT_FALSE(IsFullPath("", '/'));
}

TEST(TextTokens, TextInParenthesesKeepsThePrinterQuirk) {
  EXPECT_EQ(TextInParentheses("Iges Files (*.IGES)"), "*.IGES");
  EXPECT_EQ(TextInParentheses("Inventor Part Files (*.IPT)"), "*.IPT");
  EXPECT_EQ(TextInParentheses("ProENGINEER Part Files (*.PRT*)"), "*.PRT*");
  EXPECT_EQ(TextInParentheses("Printer"), "Printe");
  EXPECT_EQ(TextInParentheses(""), "");
  EXPECT_EQ(TextInParentheses("x"), "");
  EXPECT_EQ(TextInParentheses("()"), "");
  EXPECT_EQ(TextInParentheses("ends with ("), "");
}

TEST(TextTokens, NextTokenConsumesTheRest) {
  std::string rest = "A4;210;297";
  EXPECT_EQ(NextToken(rest, ';'), "A4");
  EXPECT_EQ(rest, "210;297");
  EXPECT_EQ(NextToken(rest, ';'), "210");
  EXPECT_EQ(NextToken(rest, ';'), "297");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(NextToken(rest, ';'), "");
  EXPECT_EQ(rest, "");
  rest = ";x";
  EXPECT_EQ(NextToken(rest, ';'), "");
  EXPECT_EQ(rest, "x");
}

TEST(TextTokens, FileCountTextHasNoSingular) {
  EXPECT_EQ(FileCountText(0), "0 files");
  EXPECT_EQ(FileCountText(1), "1 files");
  EXPECT_EQ(FileCountText(12), "12 files");
  EXPECT_EQ(FileCountText(2147483647), "2147483647 files");
}

TEST(SettingsList, ShowsEveryLineAndMarksSections) {
  testing::TemporaryFolder folder;
  folder.Write("import.ini",
               "[IMPORT FILE TYPE]\r\n;comment\r\n\r\nKEY=a=b\r\n[IPT\r\nIPT]\r\n[]\r\n[A=B]\r\nEMPTY=\nlast=1");
  testing::ScriptedDialogs dialogs;
  const SettingsListLoad load = LoadSettingsList(folder / "import.ini", dialogs);
  EXPECT_TRUE(load.complete);
  const std::vector<SettingsListRow> expected{
      {"[IMPORT FILE TYPE]", "", true, false},
      {";comment", "", false, false},
      {"", "", false, false},
      {"KEY", "a=b", false, true},
      {"[IPT", "", false, false},
      {"IPT]", "", false, false},
      {"[]", "", true, false},
      {"[A=B]", "", true, false},  // a section stays whole, its "=" included
      {"EMPTY", "", false, true},
      {"last", "1", false, true},
  };
  EXPECT_EQ(load.rows, expected);
}

TEST(SettingsList, ReportsAFileThatCannotBeRead) {
  testing::TemporaryFolder folder;
  testing::ScriptedDialogs dialogs;
  dialogs.ExpectMessage("Error reading: \rNo such file or directory");
  const SettingsListLoad load = LoadSettingsList(folder / "missing.ini", dialogs);
  EXPECT_FALSE(load.complete);
  EXPECT_TRUE(load.rows.empty());
}

}  // namespace
}  // namespace korrin
