#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "ModalWindows.h"
#include "Screenshots.h"
#include "settings/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/PaperSizeDefinitions.h"
#include "ui/PaperSizeRules.h"
#include "ui/Paperdefinition.h"

namespace korrin {
namespace {

using Rows = std::vector<PaperSizeRow>;

TEST(PaperSizeRulesTest, SizeFromThePapersName) {
  const std::pair<const char*, PaperSizeOfName> cases[] = {
      {"Custom 8.5 x 11 in", {215.9, 279.4}},
      {"Large [420 x 297 mm]", {420, 297}},
      {"Plot 420x297MM", {420, 297}},
      {"Sheet 21,5 x 27,9", {21.5, 27.9}},
      {"Wide 36 x 0 in", {914.4, 0}},
      {"Tabloid", {-1, -1}},
      {"A4", {-1, -1}},
      {"Letter in", {-25.4, -25.4}},
      {"Banner 1.2.3 x 4", {0, 4}},
  };
  for (const auto& [name, size] : cases) EXPECT_EQ(PaperSizeFromName(name), size) << name;
}

TEST(PaperSizeRulesTest, NameOfANewRow) {
  const auto named = [](std::initializer_list<const char*> names) {
    Rows rows;
    for (const char* name : names) rows.push_back({name, "1", "1", ""});
    return rows;
  };
  const std::pair<Rows, const char*> cases[] = {
      {named({"NewPaper1", "NewPaper3"}), "NewPaper4"},
      {named({"NewPaper"}), "NewPaper2"},
      {named({"NewPaper2", "newpaper"}), "NewPaper3"},
      {named({"A4", "Letter"}), "NewPaper1"},
      {named({}), "NewPaper1"},
      {named({"NewPaper0", "NewPaper-4", "NewPaperX"}), "NewPaper2"},
      {named({"NewPaper12", "NewPaper9"}), "NewPaper13"},
      // No number a user means: counted as the first.
      {named({"NewPaperinf", "NewPapernan"}), "NewPaper2"},
      {named({"NewPaper1e40"}), "NewPaper10000000000000000303786028427003666890752"},
  };
  for (const auto& [rows, name] : cases) EXPECT_EQ(NewPaperName(rows), name) << name;
}

TEST(PaperSizeRulesTest, ChecksOfADefinitionInOrder) {
  const std::pair<PaperSizeRow, std::optional<std::string>> cases[] = {
      {{"", "0", "0", ""}, "Papername MUST be defined"},
      {{"P", "0.4", "0", ""}, "WIDTH value MUST be more than 0"},
      {{"P", "abc", "10", ""}, "WIDTH value MUST be more than 0"},
      {{"P", "-3", "10", ""}, "WIDTH value MUST be more than 0"},
      {{"P", "0.6", "0.4", ""}, "HEIGHT value MUST be more than 0"},
      {{"P", "0.6", "297", ""}, std::nullopt},
      {{"P", "215,9", "279.4", "d"}, std::nullopt},
      // ";" separates the fields of the file: in a name or a description it
      // would shift the row's fields, or make a comment of it, on the next load.
      {{";A4", "210", "297", ""}, kNameSeparatorProblem},
      {{"Half;Letter", "abc", "0", ""}, kNameSeparatorProblem},
      {{"P", "210", "297", "mine; not yours"}, kDescriptionSeparatorProblem},
      {{"P", "0", "297", ";"}, "WIDTH value MUST be more than 0"},
  };
  for (const auto& [row, problem] : cases) EXPECT_EQ(PaperDefinitionProblem(row), problem) << row.name << row.width;
  EXPECT_EQ(std::string(kNameSeparatorProblem),
            "Papername MUST NOT contain \";\", which separates the fields of papersizes.ini");
  EXPECT_EQ(std::string(kDescriptionSeparatorProblem),
            "Description MUST NOT contain \";\", which separates the fields of papersizes.ini");
}

TEST(PaperSizeRulesTest, MultiplyWithInchTakesTheWholeNumber) {
  const std::pair<const char*, std::optional<QString>> cases[] = {
      {"11", "279.4"}, {"8.5", "203.2"}, {"9.5", "254"}, {"abc", std::nullopt}, {"40000", std::nullopt},
      {"", std::nullopt}, {"-2", "-50.8"}};
  for (const auto& [text, product] : cases) EXPECT_EQ(MultipliedWithInch(text), product) << text;
}

constexpr const char* kFile =
    "; the office's papers\r\n"
    "A4;210;297;Inventor Standard format\r\n"
    "Letter;215,9;279.4;Inventor Standard Format\r\n"
    "NewPaper2;100;100;mine\r\n";

class PaperWindowsTest : public ::testing::Test {
 protected:
  PaperWindowsTest() {
    folder_.Write("papersizes.ini", kFile);
    list_.LoadPaperSizeList();
    list_.show();
  }

  QTreeWidget& List() { return *list_.findChild<QTreeWidget*>("ListView1"); }
  void Click(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // Types into the definition dialog once it is open, then presses a button.
  void InDefinition(PaperSizeRow typed, const char* button, PaperSizeRow* shown = nullptr) {
    testing::WhenModalOpens([this, typed, button, shown](QDialog& dialog) {
      if (shown != nullptr) *shown = list_.definition().Entered();
      list_.definition().Fill(typed);
      Click(dialog, button);
    });
  }
  std::string File() const { return folder_.Read("papersizes.ini"); }

  testing::TemporaryFolder folder_;
  testing::ScriptedDialogs dialogs_;
  PaperSizeDefinitions list_{dialogs_, (folder_ / "papersizes.ini").string()};
};

TEST_F(PaperWindowsTest, ListsThePapersOfTheFileWithoutItsComments) {
  EXPECT_EQ(list_.windowTitle(), "Papersize Definitions");
  QTreeWidgetItem* header = List().headerItem();
  EXPECT_EQ((QStringList{header->text(0), header->text(1), header->text(2), header->text(3)}),
            (QStringList{"Papersize", "Width", "Height", "Description"}));
  EXPECT_EQ(list_.Rows(), (Rows{{"A4", "210", "297", "Inventor Standard format"},
                                {"Letter", "215,9", "279.4", "Inventor Standard Format"},
                                {"NewPaper2", "100", "100", "mine"}}));
  const int quarter = List().viewport()->width() / 4;
  for (int column = 0; column < 4; ++column) EXPECT_EQ(List().columnWidth(column), quarter);
  const std::tuple<const char*, const char*, const char*> buttons[] = {
      {"AddRow", "Add Row", "Add new paperdefinition"},
      {"DeleteRow", "Delete Row", "Delete selected paperdefinition"},
      {"ReloadINI", "Reload INI", "Reread papersize settings from disk"},
      {"Save", "Save", "Save papersizedefinitions to disk"},
      {"OK", "OK", ""},
      {"Cancel", "Cancel", ""}};
  for (const auto& [name, caption, toolTip] : buttons) {
    auto* button = list_.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(button->toolTip(), toolTip);
  }
  EXPECT_TRUE(testing::SaveScreenshot(list_, "PaperSizeDefinitions"));
}

TEST_F(PaperWindowsTest, AddRowCancelledKeepsTheNewRowAsProposed) {
  PaperSizeRow shown;
  InDefinition({"ignored", "1", "1", ""}, "Cancel", &shown);
  Click(list_, "AddRow");
  const PaperSizeRow proposed{"NewPaper3", "210", "297", "New papersize definition"};
  EXPECT_EQ(shown, proposed);
  EXPECT_EQ(list_.Rows().back(), proposed);
  EXPECT_EQ(List().currentItem()->text(0), "NewPaper3");
  EXPECT_EQ(File(), kFile);
}

TEST_F(PaperWindowsTest, AddRowTakesTheDefinitionAsTypedOnceItPasses) {
  dialogs_.ExpectMessage("Papername MUST be defined")
      .ExpectMessage("WIDTH value MUST be more than 0")
      .ExpectMessage("HEIGHT value MUST be more than 0");
  testing::WhenModalOpens([this](QDialog& dialog) {
    const PaperSizeRow attempts[] = {
        {"", "10", "10", ""}, {"Plan", "0.4", "10", ""}, {"Plan", "0.6", "0", ""}, {"Plan", "0.6", "215,9", "mine"}};
    for (const PaperSizeRow& attempt : attempts) {
      list_.definition().Fill(attempt);
      Click(dialog, "OK");
    }
    EXPECT_FALSE(dialog.isVisible());
  });
  Click(list_, "AddRow");
  EXPECT_EQ(list_.Rows().back(), (PaperSizeRow{"Plan", "0.6", "215,9", "mine"}));
}

TEST_F(PaperWindowsTest, DoubleClickEditsTheSelectedRow) {
  QTreeWidgetItem* letter = List().topLevelItem(1);
  List().setCurrentItem(letter);
  PaperSizeRow shown;
  InDefinition({"Letter", "216", "279", "rounded"}, "OK", &shown);
  emit List().itemDoubleClicked(letter, 0);
  EXPECT_EQ(shown, (PaperSizeRow{"Letter", "215,9", "279.4", "Inventor Standard Format"}));
  EXPECT_EQ(list_.Rows()[1], (PaperSizeRow{"Letter", "216", "279", "rounded"}));
}

TEST_F(PaperWindowsTest, MultiplyWith25_4ConvertsInchesInPlace) {
  Paperdefinition& definition = list_.definition();
  EXPECT_EQ(definition.windowTitle(), "Paperdefinition");
  definition.show();
  definition.Fill({"Letter", "8.5", "11", ""});
  Click(definition, "MultiplyWidth");
  Click(definition, "MultiplyHeight");
  EXPECT_EQ(definition.Entered(), (PaperSizeRow{"Letter", "203.2", "279.4", ""}));
  definition.Fill({"Letter", "wide", "40000", ""});
  Click(definition, "MultiplyWidth");
  Click(definition, "MultiplyHeight");
  EXPECT_EQ(definition.Entered(), (PaperSizeRow{"Letter", "wide", "40000", ""}));
  EXPECT_EQ(definition.findChild<QLineEdit*>("Width")->toolTip(), "Decimal separator may be \",\" or \".\"");
  EXPECT_EQ(definition.findChild<QLineEdit*>("Papertext")->toolTip(), "Enter name of paper");
  EXPECT_TRUE(testing::SaveScreenshot(definition, "Paperdefinition"));
  definition.reject();
}

TEST_F(PaperWindowsTest, DeleteRowSelectsTheRowThatIsThenCurrent) {
  Click(list_, "DeleteRow");  // nothing selected
  EXPECT_EQ(list_.Rows().size(), 3u);
  List().setCurrentItem(List().topLevelItem(0));
  Click(list_, "DeleteRow");
  ASSERT_EQ(list_.Rows().size(), 2u);
  EXPECT_EQ(list_.Rows()[0].name, "Letter");
  ASSERT_NE(List().currentItem(), nullptr);
  EXPECT_TRUE(List().currentItem()->isSelected());
}

TEST_F(PaperWindowsTest, ReloadAsksFirstAndDropsUnsavedChanges) {
  List().setCurrentItem(List().topLevelItem(0));
  Click(list_, "DeleteRow");
  dialogs_.ExpectYesNo("About to reload last saved papersize settings, proceed ?", false)
      .ExpectYesNo("About to reload last saved papersize settings, proceed ?", true);
  Click(list_, "ReloadINI");
  EXPECT_EQ(list_.Rows().size(), 2u);
  Click(list_, "ReloadINI");
  EXPECT_EQ(list_.Rows().size(), 3u);
}

TEST_F(PaperWindowsTest, SaveWritesTheRowsInOrderWithoutComments) {
  List().setCurrentItem(List().topLevelItem(0));
  Click(list_, "DeleteRow");
  Click(list_, "Save");
  EXPECT_TRUE(list_.isVisible());
  EXPECT_EQ(File(), "Letter;215,9;279.4;Inventor Standard Format\r\nNewPaper2;100;100;mine\r\n");
}

TEST_F(PaperWindowsTest, DeletingEveryRowAndSavingLeavesTheFile) {
  for (int row = 0; row < 3; ++row) {
    List().setCurrentItem(List().topLevelItem(0));
    Click(list_, "DeleteRow");
  }
  EXPECT_TRUE(list_.Rows().empty());
  Click(list_, "Save");
  EXPECT_EQ(File(), kFile);
}

TEST_F(PaperWindowsTest, OkWritesAndClosesCancelAndEscapeDoNotWrite) {
  List().setCurrentItem(List().topLevelItem(2));
  Click(list_, "DeleteRow");
  Click(list_, "Cancel");
  EXPECT_FALSE(list_.isVisible());
  EXPECT_EQ(File(), kFile);
  list_.show();
  QTest::keyClick(&list_, Qt::Key_Escape);
  EXPECT_FALSE(list_.isVisible());
  EXPECT_EQ(list_.result(), QDialog::Rejected);
  EXPECT_EQ(File(), kFile);
  list_.show();
  Click(list_, "OK");
  EXPECT_FALSE(list_.isVisible());
  EXPECT_EQ(list_.result(), QDialog::Accepted);
  EXPECT_EQ(File(), "A4;210;297;Inventor Standard format\r\nLetter;215,9;279.4;Inventor Standard Format\r\n");
}

TEST_F(PaperWindowsTest, ASemicolonInANameOrDescriptionIsRefusedAndNothingIsWritten) {
  // Typed into the definition: OK says why and keeps the dialog open.
  List().setCurrentItem(List().topLevelItem(2));
  dialogs_.ExpectMessage(kNameSeparatorProblem);
  testing::WhenModalOpens([this](QDialog& dialog) {
    list_.definition().Fill({";Half", "105", "148", "mine"});
    Click(dialog, "OK");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(testing::SaveScreenshot(dialog, "Paperdefinition-SemicolonRefused"));
    dialogs_.ExpectMessage(kDescriptionSeparatorProblem);
    list_.definition().Fill({"Half", "105", "148", "mine;yours"});
    Click(dialog, "OK");
    EXPECT_TRUE(dialog.isVisible());
    list_.definition().Fill({"Half", "105", "148", "mine, yours"});
    Click(dialog, "OK");
    EXPECT_FALSE(dialog.isVisible());
  });
  list_.EditSelectedRow();
  EXPECT_EQ(list_.Rows().back(), (PaperSizeRow{"Half", "105", "148", "mine, yours"}));

  // A row that came in without the dialog (a printer's paper name) is
  // refused by Save and OK: the file stays as it was and the window open.
  list_.AddRow({"Odd;Size", "100", "200", "Supported by: Plotter"});
  dialogs_.ExpectMessage(kNameSeparatorProblem);
  Click(list_, "Save");
  dialogs_.ExpectMessage(kNameSeparatorProblem);
  Click(list_, "OK");
  EXPECT_TRUE(list_.isVisible());
  EXPECT_EQ(File(), kFile);
  EXPECT_EQ(List().currentItem()->text(0), "Odd;Size");
}

TEST_F(PaperWindowsTest, OkKeepsTheWindowWhenTheFileCannotBeWritten) {
  std::filesystem::remove(folder_ / "papersizes.ini");
  std::filesystem::create_directory(folder_ / "papersizes.ini");
  const Status failed = WriteTextFile((folder_ / "papersizes.ini").string(), {"x"});
  ASSERT_FALSE(failed.ok());
  dialogs_.ExpectMessage("Error writing Papersize definition file: \r" + failed.failure().description);
  Click(list_, "OK");
  EXPECT_TRUE(list_.isVisible());
}

// Papers written on a Western system, one line with a field more than the
// editor shows.
constexpr const char* kWesternPapers =
    "; Kontorets papir\r\n"
    "A4;210;297;Standard \xF8vrigt\r\n"
    "Lang;100;400;smal;ekstra\r\n"
    "Halv;105;148;mine\r\n";

TEST_F(PaperWindowsTest, AWesternFileKeepsTheRowsLeftAloneByteForByteAndTakesEditsInItsCodePage) {
  folder_.Write("papersizes.ini", kWesternPapers);
  list_.LoadPaperSizeList();
  EXPECT_EQ(list_.Rows().front(), (PaperSizeRow{"A4", "210", "297", "Standard \u00F8vrigt"}));
  EXPECT_TRUE(testing::SaveScreenshot(list_, "PaperSizeDefinitions-Windows1252"));
  List().setCurrentItem(List().topLevelItem(2));
  testing::WhenModalOpens([this](QDialog& dialog) {
    list_.definition().Fill({"Halv \u00C6", "105", "148", "min \u20AC"});
    Click(dialog, "OK");
  });
  list_.EditSelectedRow();
  Click(list_, "Save");
  EXPECT_EQ(File(), "A4;210;297;Standard \xF8vrigt\r\nLang;100;400;smal;ekstra\r\nHalv \xC6;105;148;min \x80\r\n");
}

TEST_F(PaperWindowsTest, AUtf8FileTakesEditsInUtf8AndAWesternOneRefusesWhatItCannotHold) {
  folder_.Write("papersizes.ini", "A4;210;297;Standard \u00F8vrigt\r\nHalv;105;148;mine\r\n");
  list_.LoadPaperSizeList();
  List().setCurrentItem(List().topLevelItem(1));
  testing::WhenModalOpens([this](QDialog& dialog) {
    list_.definition().Fill({"P\u00F3\u0142", "105", "148", "mine"});
    Click(dialog, "OK");
  });
  list_.EditSelectedRow();
  Click(list_, "Save");
  EXPECT_EQ(File(), "A4;210;297;Standard \u00F8vrigt\r\nP\u00F3\u0142;105;148;mine\r\n");

  folder_.Write("papersizes.ini", kWesternPapers);
  list_.LoadPaperSizeList();
  List().setCurrentItem(List().topLevelItem(2));
  dialogs_.ExpectMessage("The character \"\u0142\" cannot be saved: this file is written in Windows-1252");
  testing::WhenModalOpens([this](QDialog& dialog) {
    list_.definition().Fill({"P\u00F3\u0142", "105", "148", "mine"});
    Click(dialog, "OK");
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, "Cancel");
  });
  list_.EditSelectedRow();
  // A printer's paper name comes in without the dialog: Save refuses it.
  list_.AddRow({"\u2460 Sheet", "100", "100", "Supported by: Plotter"});
  dialogs_.ExpectMessage("The character \"\u2460\" cannot be saved: this file is written in Windows-1252");
  Click(list_, "Save");
  EXPECT_EQ(File(), kWesternPapers);
}

}  // namespace
}  // namespace korrin
