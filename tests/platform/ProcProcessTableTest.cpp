#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <utility>

#include "SleeperProcessTest.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

std::optional<std::string> NameInSnapshot(const std::vector<ProcessEntry>& snapshot, std::int64_t pid) {
  const auto found =
      std::find_if(snapshot.begin(), snapshot.end(), [pid](const ProcessEntry& entry) { return entry.pid == pid; });
  if (found == snapshot.end()) return std::nullopt;
  return found->imageName;
}

bool HasProcEntry(std::int64_t pid) {
  struct stat status {};
  return ::stat(("/proc/" + std::to_string(pid)).c_str(), &status) == 0;
}

bool IsZombie(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  return line.find(") Z ") != std::string::npos;
}

bool IsRefusal(const Failure& failure) { return failure.number == EPERM || failure.number == EACCES; }

using testing::NiceValue;
using ProcProcessTableTest = testing::SleeperProcessTest;

TEST_F(ProcProcessTableTest, NamesEachProcessAsItWasStarted) {
  const std::int64_t inventor = StartNamed("Inventor.exe");
  const std::int64_t tembrel = StartNamed("Tembrel.exe");
  const std::int64_t longName = StartNamed("Very Long Program Name.exe");  // the kernel keeps "Very Long Progr"
  const std::vector<ProcessEntry> snapshot = table.Snapshot();
  EXPECT_EQ(NameInSnapshot(snapshot, inventor), "Inventor.exe");
  EXPECT_EQ(NameInSnapshot(snapshot, tembrel), "Tembrel.exe");
  EXPECT_EQ(NameInSnapshot(snapshot, longName), "Very Long Program Name.exe");
  EXPECT_EQ(NameInSnapshot(snapshot, ::getpid()), "korrin_platform_tests");
}

TEST_F(ProcProcessTableTest, StartedProgramsRunInTheirOwnSessionAwayFromOurStreams) {
  const std::int64_t pid = StartNamed("Tembrel.exe");
  ASSERT_GT(pid, 0);
  EXPECT_EQ(::getsid(static_cast<pid_t>(pid)), pid);
  for (const char* stream : {"0", "1", "2"}) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + stream, error);
    EXPECT_EQ(target, "/dev/null") << "stream " << stream;
  }
}

TEST_F(ProcProcessTableTest, KeepsTheCutNameWhenArgvZeroTellsAnotherStory) {
  const pid_t renamed = testing::SpawnChild(LinkNamed("Very Long Program Name.exe"), {"Other.exe"});
  ASSERT_GT(renamed, 0);
  EXPECT_EQ(NameInSnapshot(table.Snapshot(), renamed), "Very Long Progr");
  testing::EndChild(renamed);
}

TEST_F(ProcProcessTableTest, LeavesOutProcessesThatEndedButWereNotReaped) {
  const pid_t ended = testing::SpawnChild(testing::SleeperProgram(), {"korrin_test_sleeper", "--exit"});
  ASSERT_GT(ended, 0);
  EXPECT_TRUE(testing::WaitUntil([ended] { return IsZombie(ended); })) << "the child never became a zombie";
  EXPECT_EQ(NameInSnapshot(table.Snapshot(), ended), std::nullopt);
  testing::EndChild(ended);
}

TEST_F(ProcProcessTableTest, StartFailsWithTheSystemsReason) {
  const testing::TemporaryFolder folder;
  folder.Write("plain.txt", "not a program");
  const Result<std::int64_t> missing = table.Start(folder.string() + "/missing.exe", {}, StartStyle::Normal);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.failure(), (Failure{ENOENT, std::strerror(ENOENT)}));
  const Result<std::int64_t> notAProgram = table.Start(folder.string() + "/plain.txt", {}, StartStyle::Normal);
  ASSERT_FALSE(notAProgram.ok());
  EXPECT_EQ(notAProgram.failure(), (Failure{EACCES, std::strerror(EACCES)}));
}

TEST_F(ProcProcessTableTest, TerminateEndsTheProcessAndReapsIt) {
  const std::int64_t pid = StartNamed("Inventor.exe");
  ASSERT_TRUE(table.Terminate(pid).ok());
  EXPECT_EQ(NameInSnapshot(table.Snapshot(), pid), std::nullopt);
  EXPECT_FALSE(HasProcEntry(pid)) << "left as a zombie";
  const Status again = table.Terminate(pid);
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(again.failure(), (Failure{ESRCH, std::strerror(ESRCH)}));
}

TEST_F(ProcProcessTableTest, PriorityChangesShowInTheNiceValueUnlessRefused) {
  const std::int64_t pid = StartNamed("Inventor.exe");
  std::optional<int> expected = NiceValue(pid);
  ASSERT_TRUE(expected);
  const std::pair<PriorityClass, int> steps[] = {
      {PriorityClass::High, -10}, {PriorityClass::Realtime, -20}, {PriorityClass::Normal, 0}};
  for (const auto& [priority, nice] : steps) {
    const Status changed = table.SetPriorityClass(pid, priority);
    if (changed) {
      expected = nice;
    } else {
      EXPECT_TRUE(IsRefusal(changed.failure())) << changed.failure().description;
    }
    EXPECT_EQ(NiceValue(pid), expected) << "after asking for nice " << nice;
  }
}

TEST_F(ProcProcessTableTest, PriorityOfNoSingleProcessIsRefused) {
  const std::optional<int> ownNice = NiceValue(::getpid());
  // setpriority() reads 0 as the calling process: never meant here.
  EXPECT_EQ(table.SetPriorityClass(0, PriorityClass::High).failure().number, ESRCH);
  EXPECT_EQ(NiceValue(::getpid()), ownNice);
  const std::int64_t pid = StartNamed("Inventor.exe");
  ASSERT_TRUE(table.Terminate(pid).ok());
  EXPECT_EQ(table.SetPriorityClass(pid, PriorityClass::Normal).failure().number, ESRCH);
}

}  // namespace
}  // namespace korrin
