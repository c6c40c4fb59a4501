#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "platform/SystemPaths.h"
#include "platform/windows/MessageWindowLink.h"
#include "platform/windows/ToolhelpProcessTable.h"
#include "settings/PathConversion.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;
using testing::TemporaryFolder;
using testing::WaitUntil;

const std::string kBox = "ThunderRT6TextBox";

// One stand-in watcher window per test, under a title of the test's own.
class MessageWindowLinkTest : public ::testing::Test {
 protected:
  ~MessageWindowLinkTest() override {
    if (pid_ != 0) (void)table_.Terminate(pid_);
  }

  void StartWatcher(const std::string& title, const std::string& mode) {
    const std::string program =
        TextFromPath(system_paths::ExecutablePath().parent_path() / "korrin_windows_watcher.exe");
    const Result<std::int64_t> started = table_.Start(program, {folder_.string(), title, mode}, StartStyle::Normal);
    ASSERT_TRUE(started.ok()) << started.failure().description;
    pid_ = started.value();
    ASSERT_TRUE(WaitUntil([&] { return folder_.Exists("ready"); })) << "the watcher window did not come up";
  }

  TemporaryFolder folder_;
  ToolhelpProcessTable table_;
  std::int64_t pid_ = 0;
};

TEST_F(MessageWindowLinkTest, TextsFillTheEmptyBoxesInTurn) {
  StartWatcher("TMB", "serve");
  MessageWindowLink link;
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB", kBox, "C:\\Docs\\Pièce 1.ipt"), TextDelivery::Delivered);
  EXPECT_EQ(folder_.Read("received"), "busy\nC:\\Docs\\Pièce 1.ipt\n\n");
  // Class names compare ignoring case, as the system compares them.
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB", "thunderrt6textbox", "second"), TextDelivery::Delivered);
  EXPECT_EQ(folder_.Read("received"), "busy\nC:\\Docs\\Pièce 1.ipt\nsecond\n");
  // Every box now holds a text: none takes another.
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB", kBox, "third"), TextDelivery::NoEmptyBox);
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB", "Edit", "x"), TextDelivery::NoEmptyBox);
  EXPECT_EQ(folder_.Read("received"), "busy\nC:\\Docs\\Pièce 1.ipt\nsecond\n");
}

TEST_F(MessageWindowLinkTest, AWindowWithNoEmptyBoxTakesNothing) {
  StartWatcher("TMB filled", "filled");
  MessageWindowLink link;
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB filled", kBox, "x"), TextDelivery::NoEmptyBox);
  EXPECT_FALSE(folder_.Exists("received"));
}

TEST_F(MessageWindowLinkTest, NoWindowOfThatTitleIsNoWindow) {
  MessageWindowLink link;
  EXPECT_EQ(link.SetTextOfEmptyBox("Korrin no such window", kBox, "x"), TextDelivery::NoWindow);
}

TEST_F(MessageWindowLinkTest, AWatcherThatStoppedAnsweringCountsAsMissingWithinTheTimeOut) {
  StartWatcher("TMB hung", "hang");
  MessageWindowLink link(500ms);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB hung", kBox, "x"), TextDelivery::NoWindow);
  const auto took = std::chrono::steady_clock::now() - start;
  // The deadline holds for the whole call, with room for a loaded machine.
  EXPECT_LT(took, 2500ms) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
  EXPECT_FALSE(folder_.Exists("received"));
}

}  // namespace
}  // namespace korrin
