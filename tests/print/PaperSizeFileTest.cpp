#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "print/PaperSizeFile.h"
#include "support/FolderInTheWay.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {

// Readable failures.
void PrintTo(const PaperSizeRow& row, std::ostream* out) {
  *out << '"' << row.name << ';' << row.width << ';' << row.height << ';' << row.description << '"';
}
void PrintTo(const PaperSizeEditorRow& row, std::ostream* out) {
  PrintTo(row.row, out);
  *out << " from " << ::testing::PrintToString(row.line);
}
void PrintTo(const PaperSizeDisplay& display, std::ostream* out) {
  *out << '"' << display.width << "\" x \"" << display.height << '"';
}

namespace {

TEST(PaperSizeFilePath, AppendsTheSeparatorOnlyWhenMissing) {
  EXPECT_EQ(PaperSizeFilePath("/opt/korrin", '/'), "/opt/korrin/papersizes.ini");
  EXPECT_EQ(PaperSizeFilePath("/opt/korrin/", '/'), "/opt/korrin/papersizes.ini");
  EXPECT_EQ(PaperSizeFilePath("C:\\Korrin", '\\'), "C:\\Korrin\\papersizes.ini");
  EXPECT_EQ(PaperSizeFilePath("", '/'), "/papersizes.ini");
}

class PaperSizeFileTest : public ::testing::Test {
 protected:
  std::string Path() const { return (folder / "papersizes.ini").string(); }

  testing::TemporaryFolder folder;
  testing::ScriptedDialogs dialogs;
};

TEST_F(PaperSizeFileTest, LookupsMatchNamesWithoutSpacesCaseIncluded) {
  folder.Write("papersizes.ini",
               ";11;12;a comment has an empty name\r\n"
               "A Sheet;279,4;215,9;first\r\n"
               "A4;210;297;first\r\n"
               "A4;999;888;second\r\n"
               "ASheet;1,5;2;last;ignored\n");
  const struct {
    const char* name;
    const char* width;
    const char* height;
    PaperSizeDisplay display;
  } cases[] = {
      {"A4", "210", "297", {"999", "888"}},
      {"ASheet", "279,4", "215,9", {"1.5", "2"}},
      {" A She et", "279,4", "215,9", {"1.5", "2"}},
      {"a4", "0", "0", {"", ""}},
      {"Letter", "0", "0", {"", ""}},
      {"", "11", "12", {"11", "12"}},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(PaperWidthOf(Path(), test.name, dialogs), test.width) << test.name;
    EXPECT_EQ(PaperHeightOf(Path(), test.name, dialogs), test.height) << test.name;
    EXPECT_EQ(PaperSizeDisplayOf(Path(), test.name, dialogs), test.display) << test.name;
  }
}

TEST_F(PaperSizeFileTest, LookupsInAFileThatCannotBeReadAreReportedAndEmpty) {
  const auto expectEmptyLookups = [&](const std::string& reason) {
    for (int lookup = 0; lookup < 3; ++lookup) dialogs.ExpectMessage("Error reading paperdefinitionfil: \r" + reason);
    EXPECT_EQ(PaperWidthOf(Path(), "A4", dialogs), "") << reason;
    EXPECT_EQ(PaperHeightOf(Path(), "A4", dialogs), "") << reason;
    EXPECT_EQ(PaperSizeDisplayOf(Path(), "A4", dialogs), PaperSizeDisplay{}) << reason;
  };
  expectEmptyLookups("No such file or directory");
  std::filesystem::create_directory(Path());
  expectEmptyLookups(testing::kFolderRead.description);
}

TEST_F(PaperSizeFileTest, ListLeavesCommentsOutAndSavesOneLinePerRow) {
  folder.Write("papersizes.ini", "; papers\r\nA4;210;297;ISO\r\n\r\nB;431,8;279.4;x;y\r\n");
  std::vector<PaperSizeRow> rows = LoadPaperSizeList(Path(), dialogs);
  ASSERT_EQ(rows, (std::vector<PaperSizeRow>{{"A4", "210", "297", "ISO"}, {}, {"B", "431,8", "279.4", "x"}}));
  rows.push_back({"Roll", "900", "", ""});
  ASSERT_TRUE(SavePaperSizeList(Path(), rows, dialogs));
  EXPECT_EQ(folder.Read("papersizes.ini"), "A4;210;297;ISO\r\n;;;\r\nB;431,8;279.4;x\r\nRoll;900;;\r\n");

  ASSERT_TRUE(SavePaperSizeList(Path(), {}, dialogs));
  EXPECT_EQ(folder.Read("papersizes.ini"), "A4;210;297;ISO\r\n;;;\r\nB;431,8;279.4;x\r\nRoll;900;;\r\n");
  EXPECT_EQ(folder.Listing(), "papersizes.ini");
}

TEST_F(PaperSizeFileTest, TheEditorGetsTextAndWritesUntouchedRowsAsTheyWere) {
  folder.Write("papersizes.ini", "; papirer\r\nA4;210;297;\xF8vrigt\r\nLang;100;400;smal;ekstra\r\n\r\n");
  const PaperSizeEditorList list = LoadPaperSizesForEditor(Path(), dialogs);
  EXPECT_EQ(list.codePage, FileCodePage::Windows1252);
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0], (PaperSizeEditorRow{{"A4", "210", "297", "\u00F8vrigt"}, "A4;210;297;\xF8vrigt"}));
  EXPECT_EQ(list.rows[1].line, "Lang;100;400;smal;ekstra");
  EXPECT_EQ(list.rows[2], (PaperSizeEditorRow{{}, ""}));

  const FileCodePage western = FileCodePage::Windows1252;
  const struct {
    PaperSizeRow shown;
    std::optional<std::string> readLine;
    std::optional<std::string> written;
  } cases[] = {
      {list.rows[1].row, list.rows[1].line, "Lang;100;400;smal;ekstra"},  // left alone: its extra field stays
      {list.rows[2].row, list.rows[2].line, ""},                          // a blank line stays blank
      {{"Lang", "100", "410", "smal"}, list.rows[1].line, "Lang;100;410;smal"},
      {{"A4", "210", "297", "\u00F8vrigt \u20AC"}, list.rows[0].line, "A4;210;297;\xF8vrigt \x80"},
      {{"Ny", "1", "2", "\u00E6"}, std::nullopt, "Ny;1;2;\xE6"},
      {{"Ny", "1", "2", "\u0142"}, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PaperSizeLineToWrite(c.shown, c.readLine, western), c.written) << c.shown.name;
  EXPECT_EQ(PaperSizeLineToWrite({"Ny", "1", "2", "\u0142"}, std::nullopt, FileCodePage::Utf8), "Ny;1;2;\u0142");

  folder.Write("papersizes.ini", "A4;210;297;\u00F8vrigt\r\n");
  EXPECT_EQ(LoadPaperSizesForEditor(Path(), dialogs).codePage, FileCodePage::Utf8);
  ASSERT_TRUE(SavePaperSizeLines(Path(), {"A4;210;297;x", "B;1;2;\xF8"}, dialogs));
  EXPECT_EQ(folder.Read("papersizes.ini"), "A4;210;297;x\r\nB;1;2;\xF8\r\n");
}

TEST_F(PaperSizeFileTest, ListFailuresAreReported) {
  EXPECT_TRUE(LoadPaperSizeList(Path(), dialogs).empty());  // no file: silently none

  std::filesystem::create_directory(Path());
  // Where a folder fails the open (Windows) it reads as no file, silently.
  if (testing::kFolderOpensAsFile) {
    dialogs.ExpectMessage("Error reading Papersize definition file: \r" + testing::kFolderRead.description);
  }
  EXPECT_TRUE(LoadPaperSizeList(Path(), dialogs).empty());

  dialogs.ExpectMessage("Error writing Papersize definition file: \r" + testing::kFileOntoFolder.description);
  EXPECT_FALSE(SavePaperSizeList(Path(), {{"A4", "210", "297", ""}}, dialogs));
  EXPECT_EQ(folder.Listing(), "papersizes.ini");
}

TEST_F(PaperSizeFileTest, DefaultFileHoldsTheElevenPapers) {
  dialogs.ExpectMessage("Default paperdefinition file: " + Path() + " does not exist, creating new...");
  ASSERT_TRUE(CreateDefaultPaperSizeFile(Path(), dialogs));
  EXPECT_EQ(folder.Read("papersizes.ini"),
            "A4;210;297;Inventor Standard format\r\n"
            "A3;420;297;Inventor Standard format\r\n"
            "A2;594;420;Inventor Standard Format\r\n"
            "A1;841;594;ISO Standard\r\n"
            "A0;1189;841;ISO Standard\r\n"
            "Letter;215.9;279.4;Inventor Standard Format\r\n"
            "A Sheet;279.4;215.9;Inventor Standard Format\r\n"
            "B;431.8;279.4;Inventor Standard Format\r\n"
            "C;558.8;431.8;Inventor Standard Format\r\n"
            "D;863.6;558.8;Inventor Standard Format\r\n"
            "E Sheet;1117.6;863.6;Inventor Standard Format\r\n");
}

TEST_F(PaperSizeFileTest, DefaultFileThatCannotBeWrittenIsReported) {
  const std::string path = (folder / "gone" / "papersizes.ini").string();
  dialogs.ExpectMessage("Default paperdefinition file: " + path + " does not exist, creating new...")
      .ExpectMessage("Error rewriting paperdefinitionfile: No such file or directory");
  EXPECT_FALSE(CreateDefaultPaperSizeFile(path, dialogs));
}

}  // namespace
}  // namespace korrin
