#include "frontend/RunChecks.h"

#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(CheckRunCanStart, RefusesInOrderAndSaysWhy) {
  testing::TemporaryFolder folder;
  {
    testing::ScriptedDialogs dialogs;
    dialogs.ExpectMessage("Directory: \r" + folder.string() + "/gone\r does not exist");
    EXPECT_FALSE(CheckRunCanStart(folder.string() + "/gone", true, "", dialogs));
  }
  {
    testing::ScriptedDialogs dialogs;
    dialogs.ExpectMessage("No files to convert...");
    EXPECT_FALSE(CheckRunCanStart(folder.string(), true, "", dialogs));
  }
  {
    testing::ScriptedDialogs dialogs;
    dialogs.ExpectMessage("Select an Inventor Project File before exporting");
    EXPECT_FALSE(CheckRunCanStart("", false, "", dialogs));
  }
  testing::ScriptedDialogs dialogs;
  EXPECT_TRUE(CheckRunCanStart("", false, "/p/default.ipj", dialogs));
  EXPECT_TRUE(CheckRunCanStart(folder.string(), false, "/p/default.ipj", dialogs));
}

}  // namespace
}  // namespace korrin
