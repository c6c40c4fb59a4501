#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"

namespace korrin::testing {
namespace {

TEST(ScriptedDialogs, AnswersFromTheScriptAndRecordsEveryText) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage("one").ExpectYesNo("two?", false).ExpectOkCancel("three?", true);
  dialogs.ShowMessage("one");
  EXPECT_FALSE(dialogs.AskYesNo("two?"));
  EXPECT_TRUE(dialogs.AskOkCancel("three?"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(dialogs.shown(), (std::vector<std::string>{"one", "two?", "three?"}));
}

TEST(ScriptedDialogs, DialogsThatAskForSomethingGiveTheScriptedAnswerOrNothing) {
  ScriptedDialogs dialogs;
  const FileRequest report{FileRequest::Purpose::Save, "Select Report file", "TXT Files (*.TXT)|*.TXT", "",
                           "/opt/korrin/Report.txt"};
  dialogs.ExpectFile(report, "/tmp/run.txt")
      .ExpectFile(report, std::nullopt)
      .ExpectFolder("", "/out")
      .ExpectText("Enter value for\rFILE UNITS", std::nullopt);
  EXPECT_EQ(dialogs.ChooseFile(report), "/tmp/run.txt");
  EXPECT_EQ(dialogs.ChooseFile(report), std::nullopt);
  EXPECT_EQ(dialogs.BrowseForFolder(""), "/out");
  EXPECT_EQ(dialogs.AskText("Enter value for\rFILE UNITS", "FILE UNITS", "Meters"), std::nullopt);
  EXPECT_TRUE(dialogs.finished());
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs asked;
        asked.ExpectFile(report, std::nullopt);
        FileRequest other = report;
        other.filter = "All Files (*.*)|*.*";
        (void)asked.ChooseFile(other);
      },
      "All Files");
}

TEST(ScriptedDialogs, FailsTheTestOnAnythingTheScriptDidNotSay) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.ShowMessage("surprise");
      },
      "unexpected message: \"surprise\"");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.ExpectMessage("Text");
        dialogs.ShowMessage("Text ");  // one blank too many
      },
      "Text ");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.ExpectYesNo("Go on?", true);
        dialogs.AskOkCancel("Go on?");
      },
      "OK/Cancel question");
  EXPECT_NONFATAL_FAILURE({ ScriptedDialogs().ExpectMessage("never shown"); },
                          "expected message never shown: \"never shown\"");
}

}  // namespace
}  // namespace korrin::testing
