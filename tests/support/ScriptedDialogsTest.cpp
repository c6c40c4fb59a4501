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
