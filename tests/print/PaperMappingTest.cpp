#include <gtest/gtest.h>

#include <filesystem>

#include "print/PaperMapping.h"
#include "support/FakePrinters.h"
#include "support/FolderInTheWay.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using Names = std::vector<std::string>;

class PaperMappingTest : public ::testing::Test {
 protected:
  PaperMappingTest() {
    printers.defaultPrinter = "Office";
    printers.media["Office"] = {"A4", "PostScript Custom", "Letter", "Full Screen", "a4", "A4", "postscript"};
    printers.media["Plotter"] = {"A0", "A Sheet", "Roll"};
  }
  std::string Path() const { return (folder / "papersizes.ini").string(); }

  testing::FakePrinters printers;
  testing::TemporaryFolder folder;
  testing::ScriptedDialogs dialogs;
};

TEST_F(PaperMappingTest, PrinterMediaLeaveOutPostScriptAndScreenEntries) {
  EXPECT_EQ(GetPrinterMedia(printers, ""), (Names{"A4", "Letter", "a4", "A4"}));
  EXPECT_EQ(GetPrinterMedia(printers, "Plotter"), (Names{"A0", "A Sheet", "Roll"}));
  EXPECT_EQ(GetPrinterMedia(printers, "Unknown"), Names{});
}

TEST_F(PaperMappingTest, PrinterSupportedOnlyLeavesTheFileAlone) {
  EXPECT_EQ(BuildPaperList(printers, "Plotter", true, Path(), dialogs), (Names{"A0", "A Sheet", "Roll"}));
  EXPECT_EQ(folder.Listing(), "");
}

TEST_F(PaperMappingTest, MissingFileIsCreatedAndAddsThePapersThePrinterLacks) {
  dialogs.ExpectMessage("Default paperdefinition file: " + Path() + " does not exist, creating new...");
  EXPECT_EQ(BuildPaperList(printers, "Plotter", false, Path(), dialogs),
            (Names{"A0", "A Sheet", "Roll", "A4", "A3", "A2", "A1", "Letter", "B", "C", "D", "E Sheet"}));
  EXPECT_EQ(folder.Listing(), "papersizes.ini");
}

TEST_F(PaperMappingTest, DefinedPapersCompareWithoutSpacesIgnoringCase) {
  folder.Write("papersizes.ini",
               "; Comment;1;2\r\nLETTER;1;2\r\na 4;1;2\r\nTabloid;1;2\r\nTAB LOID;1;2\r\n;Hidden\r\nRoll 2\r\n");
  EXPECT_EQ(BuildPaperList(printers, "", false, Path(), dialogs),
            (Names{"A4", "Letter", "a4", "A4", "Tabloid", "Roll 2"}));
}

TEST_F(PaperMappingTest, FileFailuresKeepThePrinterMedia) {
  const std::string unwritable = (folder / "gone" / "papersizes.ini").string();
  dialogs.ExpectMessage("Default paperdefinition file: " + unwritable + " does not exist, creating new...")
      .ExpectMessage("Error rewriting paperdefinitionfile: No such file or directory");
  EXPECT_EQ(BuildPaperList(printers, "Plotter", false, unwritable, dialogs), (Names{"A0", "A Sheet", "Roll"}));

  std::filesystem::create_directory(Path());
  dialogs.ExpectMessage("Error reading Papersize definition file: \r" + testing::kFolderRead.description);
  EXPECT_EQ(BuildPaperList(printers, "Plotter", false, Path(), dialogs), (Names{"A0", "A Sheet", "Roll"}));
}

TEST(PaperIdOf, ExactNamesOnly) {
  const struct {
    const char* name;
    std::int32_t id;
  } cases[] = {
      {"10x14", 14337},   {"A2", 14339},     {"A3", 14340},      {"A4", 14341},
      {"A4Small", 14342}, {"A5", 14343},     {"B4", 14344},      {"B5", 14345},
      {"C", 14346},       {"D", 14347},      {"E", 14348},       {"Executive", 14349},
      {"Folio", 14350},   {"Ledger", 14351}, {"Legal", 14352},   {"Letter", 14353},
      {"Quarto", 14354},  {"Custom", 14355}, {"Default", 14356}, {"a4", 0},
      {"A4 ", 0},         {"A1", 0},         {"B", 0},           {"", 0},
  };
  for (const auto& test : cases) EXPECT_EQ(PaperIdOf(test.name), test.id) << test.name;
}

TEST(PaperNameForSheetSize, EitherOrientationRoundedToOneDecimal) {
  // 43.25 and 111.75 are ties, which go to the even tenth: 43.2 and 111.8.
  const struct {
    double width;
    double height;
    const char* name;
  } cases[] = {
      {29.7, 42, "A3"},       {42, 29.7, "A3"},    {42.04, 59.38, "A2"},  {21.6, 27.9, "Custom"}, {21, 29.7, "A4"},
      {29, 21, "A4"},         {21.6, 29.7, "B"},   {43.2, 27.9, "B"},     {27, 43, "B"},          {55.9, 43.2, "C"},
      {43, 55, "C"},          {86.4, 55.9, "D"},   {111.8, 86.4, "E"},    {86, 111, "E"},         {101.6, 71.1, "F"},
      {71, 101, "F"},         {118.9, 84.1, "A0"}, {84, 118, "A0"},       {84.1, 59.4, "A1"},     {59, 84, "A1"},
      {59, 42, "A2"},         {29, 42, "A3"},      {29.66, 42.049, "A3"}, {29.64, 42, "Custom"},  {0, 0, "Custom"},
      {-29.7, -42, "Custom"}, {43.25, 55.9, "C"},  {111.75, 86.4, "E"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(PaperNameForSheetSize(test.width, test.height), test.name) << test.width << " x " << test.height;
  }
}

}  // namespace
}  // namespace korrin
