#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>

#include "support/RunProgram.h"
#include "host/ProcessOperations.h"
#include "platform/linux/LocalSocketWindowLink.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/WindowFolder.h"
#include "support/ChildProcesses.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using testing::ScopedEnvironment;
using testing::WaitUntil;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string LocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[sizeof "YYYY-MM-DD HH:MM:SS"];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  return stamp;
}

// The built watcher, started as the session starts it, with its temporary
// folder and its window folder redirected into folders of the test. The view
// ends whatever the test leaves running.
class WatcherTest : public ::testing::Test {
 protected:
  std::string Log() const { return temp.Read("Tembrel.log"); }
  std::string SocketPath() const { return WindowSocketPath(windows.string(), "TMB"); }
  bool WindowIsUp() const { return std::filesystem::exists(SocketPath()); }

  // Waits for the log to reach that many lines; fails the test when it does not.
  std::vector<std::string> WaitForLogLines(std::size_t count) {
    const bool reached = WaitUntil([&] { return LinesOf(Log()).size() >= count; });
    EXPECT_TRUE(reached) << "the watcher logged no line " << count << "; log so far:\n" << Log();
    return LinesOf(Log());
  }

  testing::TemporaryFolder temp;
  testing::TemporaryFolder windows;
  ScopedEnvironment tempVariable{"TEMP", temp.string()};
  ScopedEnvironment windowsVariable{"KORRIN_WINDOWS", windows.string()};
  ProcProcessTable table;
  testing::StartedProcessesView view{table};
  LocalSocketWindowLink link;
  const std::string programFolder = testing::BuiltProgram("");
};

TEST_F(WatcherTest, LogsEachNotificationWithItsLocalTime) {
  const std::string before = LocalTimeStamp();
  ASSERT_TRUE(StartWatcher(view, programFolder));
  ASSERT_TRUE(WaitUntil([&] { return WindowIsUp(); })) << "the watcher opened no window";
  NotifyWatcher(link, "Exporting C:\\models\\bracket.ipt");
  WaitForLogLines(1);  // its box is empty again once the line is written
  NotifyWatcher(link, "Closing bracket.ipt");
  const std::vector<std::string> lines = WaitForLogLines(2);
  const std::string after = LocalTimeStamp();

  ASSERT_EQ(lines.size(), 2u) << Log();
  const std::regex linePattern(R"((\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\t(.*))");
  const char* texts[] = {"Exporting C:\\models\\bracket.ipt", "Closing bracket.ipt"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[i], match, linePattern)) << lines[i];
    EXPECT_EQ(match[2], texts[i]);
    // Stamps of this form sort as the times they name.
    EXPECT_LE(before, match[1].str());
    EXPECT_GE(after, match[1].str());
  }
}

TEST_F(WatcherTest, RunsOnceAndStartsAgainAfterBeingKilled) {
  ASSERT_TRUE(StartWatcher(view, programFolder));
  ASSERT_TRUE(WaitUntil([&] { return WindowIsUp(); })) << "the watcher opened no window";
  EXPECT_TRUE(StartWatcher(view, programFolder));
  EXPECT_EQ(view.started().size(), 1u) << "a second watcher was started";
  EXPECT_EQ(CountProcesses(view, "Tembrel.exe"), 1);

  EXPECT_TRUE(KillProcesses(view, "Tembrel.exe"));
  EXPECT_EQ(CountProcesses(view, "Tembrel.exe"), 0);
  ASSERT_TRUE(WindowIsUp()) << "SIGKILL leaves the socket file behind";
  EXPECT_EQ(link.SetTextOfEmptyBox("TMB", "ThunderRT6TextBox", "lost"), TextDelivery::NoWindow);

  // A new watcher takes the place of the stale socket.
  ASSERT_TRUE(StartWatcher(view, programFolder));
  EXPECT_EQ(view.started().size(), 2u);
  const bool delivered =
      WaitUntil([&] { return link.SetTextOfEmptyBox("TMB", "ThunderRT6TextBox", "again") == TextDelivery::Delivered; });
  EXPECT_TRUE(delivered) << "the new watcher took no text";
  const std::vector<std::string> lines = WaitForLogLines(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(lines[0].find('\t')), "\tagain");
}

TEST_F(WatcherTest, EndsCleanlyOnSigtermAndRemovesItsSocket) {
  const pid_t watcher = testing::SpawnChild(testing::BuiltProgram("Tembrel.exe"), {"Tembrel.exe"});
  ASSERT_GT(watcher, 0);
  const bool up = WaitUntil([&] { return WindowIsUp(); });
  if (up) ::kill(watcher, SIGTERM);
  int status = 0;
  const bool ended = WaitUntil([&] { return ::waitpid(watcher, &status, WNOHANG) == watcher; });
  if (!ended) testing::EndChild(watcher);
  ASSERT_TRUE(up) << "the watcher opened no window";
  ASSERT_TRUE(ended) << "the watcher did not end on SIGTERM";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
  EXPECT_FALSE(WindowIsUp());
}

}  // namespace
}  // namespace korrin
