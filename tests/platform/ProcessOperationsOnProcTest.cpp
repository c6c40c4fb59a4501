#include "SleeperProcessTest.h"
#include "host/ProcessOperations.h"

namespace korrin {
namespace {

using testing::NiceValue;

// The session's operations see only the processes the test started.
class ProcessOperationsOnProc : public testing::SleeperProcessTest {
 protected:
  std::vector<std::string> RunningNames() const {
    std::vector<std::string> names;
    for (const ProcessEntry& process : view.Snapshot()) names.push_back(process.imageName);
    return names;
  }
};

TEST_F(ProcessOperationsOnProc, CountsAndKillsByNameIgnoringCase) {
  StartNamed("Inventor.exe");
  StartNamed("Inventor.exe");
  StartNamed("Tembrel.exe");
  EXPECT_EQ(CountProcesses(view, "inventor.EXE"), 2);
  EXPECT_TRUE(KillProcesses(view, "INVENTOR.exe"));
  EXPECT_EQ(RunningNames(), std::vector<std::string>{"Tembrel.exe"});
  EXPECT_FALSE(KillProcesses(view, "Inventor.exe"));
}

TEST_F(ProcessOperationsOnProc, KillHostProcessesEndsTheHostAndItsHelpersOnly) {
  for (const char* name : {"BackAHL.exe", "Tembrel.exe", "DBXBRIDGE.EXE", "Inventor.exe"}) StartNamed(name);
  KillHostProcesses(view);
  EXPECT_EQ(RunningNames(), std::vector<std::string>{"Tembrel.exe"});
}

TEST_F(ProcessOperationsOnProc, SetsThePriorityOfEveryMatchTheSystemAllows) {
  const std::int64_t first = StartNamed("BackAHL.exe");
  const std::int64_t second = StartNamed("BackAHL.exe");
  const std::int64_t probe = StartNamed("Probe.exe");
  const std::optional<int> before = NiceValue(first);
  ASSERT_TRUE(before);
  // Whether this user may raise a priority at all (root, or CAP_SYS_NICE).
  const bool mayRaise = table.SetPriorityClass(probe, PriorityClass::High).ok();

  EXPECT_TRUE(SetProcessPriority(view, "backahl.exe", "Idle"));  // unknown: nothing changes
  EXPECT_EQ(NiceValue(first), before);
  EXPECT_TRUE(SetProcessPriority(view, "backahl.exe", "high"));
  EXPECT_EQ(NiceValue(first), mayRaise ? -10 : *before);
  EXPECT_EQ(NiceValue(second), mayRaise ? -10 : *before);
  EXPECT_FALSE(SetProcessPriority(view, "Inventor.exe", "HIGH"));
}

}  // namespace
}  // namespace korrin
