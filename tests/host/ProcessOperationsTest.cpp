#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "host/ProcessOperations.h"
#include "settings/PathText.h"
#include "support/FakeProcessTable.h"
#include "support/FakeWindowLink.h"

namespace korrin {
namespace {

using namespace std::string_literals;  // image names with a NUL inside
using testing::FakeProcessTable;

FakeProcessTable TableOf(std::vector<std::string> imageNames) {
  FakeProcessTable table;
  std::int64_t pid = 100;
  for (std::string& name : imageNames) table.processes.push_back({pid++, std::move(name)});
  return table;
}

TEST(ProcessOperations, AProcessMatchesWhenItsNameEndsWithTheWantedOneIgnoringCase) {
  const struct {
    std::string imageName;
    bool matches;
  } cases[] = {
      {"BackAHL.exe", true},
      {"C:\\Program Files\\X\\backahl.exe", true},
      {"BACKAHL.EXE", true},
      {"NotBackAHL.exe", true},  // a suffix is all it takes
      {"BackAHL.exe\0left in the buffer"s, true},
      {"\0BackAHL.exe"s, false},
      {"BackAHL.exe.old", false},
      {"ackAHL.exe", false},
      {"", false},
  };
  for (const auto& [imageName, matches] : cases) {
    const FakeProcessTable table = TableOf({imageName});
    EXPECT_EQ(CountProcesses(table, "BackAHL.exe"), matches ? 1 : 0) << imageName;
  }
}

TEST(ProcessOperations, AnEmptyNameMatchesNoProcess) {
  FakeProcessTable table = TableOf({"Inventor.exe", "explorer.exe"});
  EXPECT_EQ(CountProcesses(table, ""), 0);
  EXPECT_FALSE(KillProcesses(table, ""));
  EXPECT_FALSE(SetProcessPriority(table, "", "HIGH"));
  EXPECT_EQ(table.processes.size(), 2u);
}

TEST(ProcessOperations, CountsEveryMatch) {
  const FakeProcessTable table = TableOf({"Inventor.exe", "explorer.exe", "inventor.exe", "/opt/x/INVENTOR.EXE"});
  EXPECT_EQ(CountProcesses(table, "Inventor.exe"), 3);
  EXPECT_EQ(CountProcesses(table, "Tembrel.exe"), 0);
}

TEST(ProcessOperations, KillEndsEveryMatchInSnapshotOrderAndSkipsRefusals) {
  FakeProcessTable table = TableOf({"inventor.exe", "explorer.exe", "Inventor.exe", "INVENTOR.EXE"});
  table.refuseTerminate = {102};
  EXPECT_TRUE(KillProcesses(table, "Inventor.exe"));
  EXPECT_EQ(table.terminated, (std::vector<std::int64_t>{100, 103}));
  EXPECT_EQ(CountProcesses(table, "Inventor.exe"), 1);

  FakeProcessTable refusing = TableOf({"Inventor.exe"});
  refusing.refuseTerminate = {100};
  EXPECT_TRUE(KillProcesses(refusing, "Inventor.exe")) << "a match that could not be ended still matched";
  EXPECT_FALSE(KillProcesses(table, "Tembrel.exe"));
}

TEST(ProcessOperations, KillHostProcessesEndsTheHostFirstAndItsHelperLast) {
  FakeProcessTable table =
      TableOf({"BackAHL.exe", "dbxbridge.exe", "Tembrel.exe", "DBXBRI~1.EXE", "Inventor.exe", "Inventor.exe"});
  KillHostProcesses(table);
  EXPECT_EQ(table.terminated, (std::vector<std::int64_t>{104, 105, 103, 101, 100}));
  ASSERT_EQ(table.processes.size(), 1u);
  EXPECT_EQ(table.processes.front().imageName, "Tembrel.exe");
}

TEST(ProcessOperations, PriorityNamesMapToClassesAndAnUnknownOneChangesNothing) {
  const struct {
    const char* name;
    std::optional<PriorityClass> priority;
  } cases[] = {
      {"REALTIME", PriorityClass::Realtime},
      {"high", PriorityClass::High},
      {"Normal", PriorityClass::Normal},
      {"IDLE", std::nullopt},
      {"", std::nullopt},
      {"HIGH ", std::nullopt},
  };
  for (const auto& [name, priority] : cases) {
    FakeProcessTable table = TableOf({"Inventor.exe", "explorer.exe"});
    EXPECT_TRUE(SetProcessPriority(table, "inventor.exe", name)) << name;
    using Changes = std::vector<std::pair<std::int64_t, PriorityClass>>;
    const Changes expected = priority ? Changes{{100, *priority}} : Changes{};
    EXPECT_EQ(table.priorities, expected) << name;
  }
}

TEST(ProcessOperations, PriorityRefusalsAreSkippedAndNoMatchIsFalse) {
  FakeProcessTable table = TableOf({"BackAHL.exe", "BackAHL.exe", "BackAHL.exe"});
  table.refusePriority = {101};
  EXPECT_TRUE(SetProcessPriority(table, "BackAHL.exe", "HIGH"));
  EXPECT_EQ(table.priorities, (std::vector<std::pair<std::int64_t, PriorityClass>>{{100, PriorityClass::High},
                                                                                   {102, PriorityClass::High}}));
  EXPECT_FALSE(SetProcessPriority(table, "Inventor.exe", "HIGH"));
}

TEST(ProcessOperations, StartWatcherStartsOneFromTheProgramFolderOnlyWhenNoneRuns) {
  // A program folder as the platform writes it, given with and without its
  // closing separator.
#ifdef _WIN32
  const std::string programFolder = "C:\\Korrin";
#else
  const std::string programFolder = "/opt/korrin";
#endif
  const std::string withSeparator = programFolder + kNativeSeparator;
  const FakeProcessTable::StartCall expected{withSeparator + "Tembrel.exe", {}, StartStyle::MinimizedNotActivated};
  for (const std::string& folder : {programFolder, withSeparator}) {
    FakeProcessTable table = TableOf({"explorer.exe"});
    EXPECT_TRUE(StartWatcher(table, folder));
    EXPECT_EQ(table.starts, std::vector{expected}) << folder;
    EXPECT_TRUE(StartWatcher(table, folder));
    EXPECT_EQ(table.starts.size(), 1u) << "a second watcher was started";
  }

  FakeProcessTable running = TableOf({"C:\\Korrin\\tembrel.exe"});
  EXPECT_TRUE(StartWatcher(running, programFolder));
  EXPECT_TRUE(running.starts.empty());

  FakeProcessTable failing;
  failing.startFailure = Failure{ENOENT, "No such file or directory"};
  EXPECT_FALSE(StartWatcher(failing, programFolder));
}

TEST(ProcessOperations, NotifyWatcherHandsTheTextToItsBoxWhateverBecomesOfIt) {
  for (const TextDelivery answer : {TextDelivery::Delivered, TextDelivery::NoWindow, TextDelivery::NoEmptyBox}) {
    testing::FakeWindowLink link;
    link.answer = answer;
    NotifyWatcher(link, "Exporting C:\\models\\a.ipt");
    EXPECT_EQ(
        link.calls,
        (std::vector<testing::FakeWindowLink::Call>{{"TMB", "ThunderRT6TextBox", "Exporting C:\\models\\a.ipt"}}));
  }
}

}  // namespace
}  // namespace korrin
