#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/linux/LocalSocket.h"
#include "platform/linux/LocalSocketWindowLink.h"
#include "platform/linux/PrivateFolder.h"
#include "platform/linux/WindowFolder.h"
#include "platform/linux/WindowLinkServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using testing::ScopedEnvironment;

constexpr const char* kTitle = "TMB";
constexpr const char* kBoxClass = "ThunderRT6TextBox";
constexpr mode_t kPermissionBits = 07777;

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  ::lstat(path.c_str(), &status);
  return status.st_mode;
}

// A socket file with nothing listening on it, as a window killed with
// SIGKILL leaves behind.
void LeaveStaleSocket(const std::string& path) {
  Result<FileDescriptor> socket = NewLocalSocket();
  ASSERT_TRUE(socket.ok());
  const Result<sockaddr_un> address = LocalAddress(path);
  ASSERT_TRUE(address.ok());
  ASSERT_EQ(::bind(socket.value().get(), reinterpret_cast<const sockaddr*>(&address.value()), sizeof address.value()),
            0);
}

// Each test has a window folder of its own, not yet created.
class WindowLinkTest : public ::testing::Test {
 protected:
  std::unique_ptr<WindowLinkServer> OpenWindow(const std::string& title = kTitle) {
    Result<std::unique_ptr<WindowLinkServer>> window = WindowLinkServer::Open(title, kBoxClass);
    EXPECT_TRUE(window.ok()) << (window ? "" : window.failure().description);
    return window ? std::move(window).value() : nullptr;
  }

  // The client blocks until the window answers, so the window serves meanwhile.
  TextDelivery Deliver(WindowLinkServer& window, const std::string& text, const std::string& boxClass = kBoxClass,
                       const std::string& title = kTitle) {
    std::thread serving([&window] { window.ServeOnce(testing::kPatience); });
    const TextDelivery delivery = link.SetTextOfEmptyBox(title, boxClass, text);
    serving.join();
    return delivery;
  }

  testing::TemporaryFolder root;
  const std::string folder = (root / "windows").string();
  ScopedEnvironment windows{"KORRIN_WINDOWS", folder};
  LocalSocketWindowLink link;
};

TEST_F(WindowLinkTest, AnEmptyBoxOfTheClassTakesTheTextAndABusyOneDropsTheNext) {
  const std::unique_ptr<WindowLinkServer> window = OpenWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Deliver(*window, "first"), TextDelivery::Delivered);
  EXPECT_EQ(window->BoxText(), "first");
  EXPECT_EQ(Deliver(*window, "second"), TextDelivery::NoEmptyBox);
  EXPECT_EQ(window->BoxText(), "first");
  window->ClearBox();
  EXPECT_EQ(Deliver(*window, "third\tline"), TextDelivery::Delivered);
  EXPECT_EQ(window->BoxText(), "third\tline");
  window->ClearBox();
  EXPECT_EQ(Deliver(*window, "text", "Edit"), TextDelivery::NoEmptyBox);  // no box of that class
  EXPECT_EQ(window->BoxText(), "");
}

TEST_F(WindowLinkTest, NoListeningWindowIsNoWindow) {
  EXPECT_EQ(link.SetTextOfEmptyBox(kTitle, kBoxClass, "text"), TextDelivery::NoWindow);  // no folder yet
  ASSERT_TRUE(PreparePrivateFolder(folder).ok());
  EXPECT_EQ(link.SetTextOfEmptyBox(kTitle, kBoxClass, "text"), TextDelivery::NoWindow);  // no socket
  LeaveStaleSocket(WindowSocketPath(folder, kTitle));
  EXPECT_EQ(link.SetTextOfEmptyBox(kTitle, kBoxClass, "text"), TextDelivery::NoWindow);

  const std::unique_ptr<WindowLinkServer> window = OpenWindow();  // replaces the stale socket
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Deliver(*window, "text"), TextDelivery::Delivered);
}

TEST_F(WindowLinkTest, AWindowThatDoesNotAnswerIsNoWindow) {
  const std::unique_ptr<WindowLinkServer> window = OpenWindow();  // never served
  ASSERT_NE(window, nullptr);
  LocalSocketWindowLink impatient(std::chrono::milliseconds(100));
  EXPECT_EQ(impatient.SetTextOfEmptyBox(kTitle, kBoxClass, "text"), TextDelivery::NoWindow);
}

TEST_F(WindowLinkTest, ASecondWindowOfTheSameTitleIsRefused) {
  const std::unique_ptr<WindowLinkServer> first = OpenWindow();
  ASSERT_NE(first, nullptr);
  const Result<std::unique_ptr<WindowLinkServer>> second = WindowLinkServer::Open(kTitle, kBoxClass);
  ASSERT_FALSE(second.ok());
  EXPECT_EQ(second.failure(), (Failure{EADDRINUSE, "a window titled \"TMB\" already runs"}));
  first->ServeOnce(std::chrono::milliseconds(0));  // the second one's probe
  EXPECT_EQ(Deliver(*first, "text"), TextDelivery::Delivered);
}

TEST_F(WindowLinkTest, FolderAndSocketAreForTheUserAloneAndTheSocketGoesWithTheWindow) {
  std::string socketPath;
  {
    const std::unique_ptr<WindowLinkServer> window = OpenWindow("a/b%.c");
    ASSERT_NE(window, nullptr);
    socketPath = window->SocketPath();
    EXPECT_EQ(socketPath, folder + "/a%2Fb%25.c");
    EXPECT_EQ(ModeOf(folder) & kPermissionBits, 0700u);
    EXPECT_TRUE(S_ISSOCK(ModeOf(socketPath)));
    EXPECT_EQ(ModeOf(socketPath) & kPermissionBits, 0600u);
    EXPECT_EQ(Deliver(*window, "text", kBoxClass, "a/b%.c"), TextDelivery::Delivered);
  }
  EXPECT_FALSE(std::filesystem::exists(socketPath));
  EXPECT_TRUE(std::filesystem::is_empty(folder)) << "a binding file was left";
  EXPECT_EQ(WindowSocketPath(folder, ".hidden"), folder + "/%2Ehidden");
}

TEST_F(WindowLinkTest, AFolderOthersMayUseIsRefused) {
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  ::chmod(folder.c_str(), 0755);  // whatever the umask left
  const Result<std::unique_ptr<WindowLinkServer>> window = WindowLinkServer::Open(kTitle, kBoxClass);
  ASSERT_FALSE(window.ok());
  EXPECT_EQ(window.failure(), (Failure{EACCES, folder + " is not a folder for this user alone"}));
  EXPECT_EQ(link.SetTextOfEmptyBox(kTitle, kBoxClass, "text"), TextDelivery::NoWindow);

  ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
  const std::string linked = (root / "linked").string();
  ASSERT_EQ(::symlink(folder.c_str(), linked.c_str()), 0);
  EXPECT_FALSE(CheckPrivateFolder(linked).ok());
  EXPECT_TRUE(CheckPrivateFolder(folder).ok());
}

TEST_F(WindowLinkTest, AFolderOfAnotherUserIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  constexpr uid_t kNobody = 65534;
  ASSERT_TRUE(PreparePrivateFolder(folder).ok());
  ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
  EXPECT_FALSE(PreparePrivateFolder(folder).ok());
}

TEST(WindowFolder, ComesFromKorrinWindowsElseTheRuntimeFolderElseTmp) {
  const testing::TemporaryFolder runtime;
  const std::string fallback = "/tmp/korrin-windows-" + std::to_string(::geteuid());
  ScopedEnvironment windows("KORRIN_WINDOWS", nullptr);
  {
    ScopedEnvironment xdg("XDG_RUNTIME_DIR", runtime.string());
    EXPECT_EQ(WindowFolderPath(), runtime.string() + "/korrin-windows");
    ScopedEnvironment chosen("KORRIN_WINDOWS", "/somewhere/windows");
    EXPECT_EQ(WindowFolderPath(), "/somewhere/windows");
  }
  for (const char* unusable : {"", "relative/run", "/nonexistent/run"}) {
    ScopedEnvironment xdg("XDG_RUNTIME_DIR", unusable);
    EXPECT_EQ(WindowFolderPath(), fallback) << unusable;
  }
  ScopedEnvironment xdg("XDG_RUNTIME_DIR", nullptr);
  EXPECT_EQ(WindowFolderPath(), fallback);
}

}  // namespace
}  // namespace korrin
