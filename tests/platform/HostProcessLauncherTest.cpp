#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/ChannelFailures.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/HostProcessLauncher.h"
#include "platform/linux/ProcFiles.h"
#include "support/RecordingEventPump.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;

constexpr mode_t kPermissionBits = 07777;

std::string FakeHostProgram() { return std::string(KORRIN_BIN_DIR) + "/korrin_test_fake_host"; }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The children of this test's thread, zombies among them.
std::optional<std::string> ChildrenOfThisThread() {
  return ReadProcFile(::getpid(), "task/" + std::to_string(::gettid()) + "/children");
}

// The arguments as /proc shows them: each ends with a zero byte.
std::string CommandLine(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) text += argument + '\0';
  return text;
}

std::string LinkTarget(const std::filesystem::path& link) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  return error ? "?" : target.string();
}

// Descriptor number -> what it leads to, for a process of this user.
std::map<int, std::string> DescriptorsOf(pid_t pid) {
  std::map<int, std::string> descriptors;
  const std::filesystem::path folder = "/proc/" + std::to_string(pid) + "/fd";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    descriptors[std::stoi(entry.path().filename())] = LinkTarget(entry.path());
  }
  return descriptors;
}

// Each test starts fake hosts that log into a folder of its own; whatever
// still runs afterwards is ended.
class HostProcessLauncherTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const pid_t pid : started) {
      ::kill(pid, SIGKILL);
      EXPECT_TRUE(launcher.WaitForEnd(pid, testing::kPatience)) << pid;
    }
  }

  Result<pid_t> Start(const std::vector<std::string>& steps, std::chrono::milliseconds deadline = testing::kPatience) {
    Result<pid_t> pid = launcher.Start(FakeHostProgram(), steps, logFile, deadline);
    if (pid) started.push_back(pid.value());
    return pid;
  }

  testing::TemporaryFolder logs;
  const std::string logFile = (logs / "Inventor.log").string();
  testing::RecordingEventPump pump;
  HostProcessLauncher launcher{pump};
  std::vector<pid_t> started;
};

TEST_F(HostProcessLauncherTest, AReadyHostRunsInASessionOfItsOwnWithItsStreamsAndTheReadyPipeAlone) {
  // Left open across exec on purpose: the launcher must not hand it on.
  const FileDescriptor inheritable(::open("/dev/zero", O_RDONLY));
  ASSERT_TRUE(inheritable.valid());

  const Result<pid_t> pid = Start({"--answer", "ready"});
  ASSERT_TRUE(pid.ok()) << pid.failure().description;
  EXPECT_EQ(::getsid(pid.value()), pid.value());
  EXPECT_EQ(ReadProcFile(pid.value(), "cmdline"),
            CommandLine({FakeHostProgram(), "--answer", "ready", "--ready-fd", "3"}));
  const std::map<int, std::string> descriptors = DescriptorsOf(pid.value());
  ASSERT_EQ(descriptors.size(), 4u);
  EXPECT_EQ(descriptors.at(0), "/dev/null");
  EXPECT_EQ(descriptors.at(1), "/dev/null");
  EXPECT_EQ(descriptors.at(2), logFile);
  EXPECT_TRUE(descriptors.at(3).starts_with("pipe:[")) << descriptors.at(3);
  const std::optional<ProcessStatus> status = ReadProcessStatus(pid.value());
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(status->state, 'Z');
}

TEST_F(HostProcessLauncherTest, AHostThatEndsOrFailsToAnswerIsReportedAndLeavesNoProcess) {
  const std::string program = Quoted(FakeHostProgram());
  struct Case {
    std::vector<std::string> steps;
    std::chrono::milliseconds deadline;
    std::string description;
  };
  const std::vector<Case> cases = {
      {{"--exit", "3"}, testing::kPatience, program + " exited with status 3"},
      {{"--signal", "11"}, testing::kPatience, program + " was killed by signal 11"},
      {{}, 1s, program + " did not answer within 1 s"},
      {{}, 500ms, program + " did not answer within 0.5 s"},
      {{"--answer", "busy"}, testing::kPatience, program + " answered \"busy\" instead of \"ready\""},
      {{"--answer", std::string(100, 'x')}, testing::kPatience,
       program + " answered \"" + std::string(64, 'x') + "\" instead of \"ready\""},
      {{"--close"}, testing::kPatience, program + " closed its ready pipe without answering"},
      {{"--close", "--sleep", "100", "--exit", "4"}, testing::kPatience, program + " exited with status 4"},
  };
  const std::optional<std::string> childrenBefore = ChildrenOfThisThread();
  ASSERT_TRUE(childrenBefore.has_value()) << "the kernel lists no children";
  for (const Case& test : cases) {
    const std::string steps = ::testing::PrintToString(test.steps);
    const Result<pid_t> pid = Start(test.steps, test.deadline);
    ASSERT_FALSE(pid.ok()) << steps;
    EXPECT_EQ(pid.failure(), (Failure{host::kServerExecutionFailed, test.description}))
        << steps << ": " << pid.failure().description;
    EXPECT_EQ(ChildrenOfThisThread(), childrenBefore) << steps << ": a child was left, running or unreaped";
  }
}

TEST_F(HostProcessLauncherTest, TheDeadlineIsKeptAndTheWaitPausesThroughTheEventPump) {
  const auto begin = std::chrono::steady_clock::now();
  const Result<pid_t> silent = Start({}, 1s);
  const auto waited = std::chrono::steady_clock::now() - begin;
  ASSERT_FALSE(silent.ok());
  EXPECT_GE(waited, 1s);
  EXPECT_LT(waited, 5s);
  EXPECT_GE(pump.yields, 10) << "the wait pauses in short slices";

  pump.yields = 0;
  const Result<pid_t> late = Start({"--sleep", "300", "--answer", "ready"});
  ASSERT_TRUE(late.ok()) << late.failure().description;
  EXPECT_GE(pump.yields, 3);
}

TEST_F(HostProcessLauncherTest, AProgramThatCannotStartIsNamedWithTheSystemsReason) {
  const std::string missing = (logs / "missing" / "Inventor.exe").string();
  logs.Write("Plain.exe", "not a program");
  ASSERT_EQ(::chmod((logs / "Plain.exe").c_str(), 0644), 0);
  const std::string plain = (logs / "Plain.exe").string();
  const std::string noLogFolder = (logs / "missing" / "Inventor.log").string();
  struct Case {
    std::string program;
    std::string log;
    std::string description;
  };
  const std::vector<Case> cases = {
      {missing, logFile, Quoted(missing) + " cannot be started: No such file or directory"},
      {plain, logFile, Quoted(plain) + " cannot be started: Permission denied"},
      {FakeHostProgram(), noLogFolder,
       Quoted(FakeHostProgram()) + " cannot be started: the log file " + Quoted(noLogFolder) +
           " cannot be opened: No such file or directory"},
  };
  for (const Case& test : cases) {
    const Result<pid_t> pid = launcher.Start(test.program, {"--answer", "ready"}, test.log, testing::kPatience);
    ASSERT_FALSE(pid.ok()) << test.program;
    EXPECT_EQ(pid.failure(), (Failure{host::kServerExecutionFailed, test.description}))
        << test.program << ": " << pid.failure().description;
  }
  EXPECT_EQ(pump.yields, 0) << "nothing to wait for";
}

TEST_F(HostProcessLauncherTest, StandardErrorIsAppendedToTheLogFile) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ASSERT_TRUE(Start({"--stderr", "first start", "--answer", "ready"}).ok());
  struct stat status {};
  ASSERT_EQ(::stat(logFile.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & kPermissionBits, 0644u & ~mask);
  EXPECT_EQ(logs.Read("Inventor.log"), "first start\n");

  ASSERT_FALSE(Start({"--stderr", "second start", "--exit", "2"}).ok());
  EXPECT_EQ(logs.Read("Inventor.log"), "first start\nsecond start\n");
}

TEST_F(HostProcessLauncherTest, EndedHostsAreReapedAndWaitedFor) {
  const Result<pid_t> first = Start({"--answer", "ready"});
  const Result<pid_t> second = Start({"--answer", "ready"});
  ASSERT_TRUE(first.ok() && second.ok());

  EXPECT_FALSE(launcher.WaitForEnd(first.value(), 100ms)) << "it still runs";
  EXPECT_TRUE(ReadProcessStatus(first.value()).has_value());
  ASSERT_EQ(::kill(first.value(), SIGKILL), 0);
  EXPECT_TRUE(launcher.WaitForEnd(first.value(), testing::kPatience));
  EXPECT_FALSE(ReadProcessStatus(first.value()).has_value()) << "reaped";
  EXPECT_TRUE(launcher.WaitForEnd(first.value(), 0ms)) << "ended before";

  ASSERT_EQ(::kill(second.value(), SIGKILL), 0);
  ASSERT_TRUE(testing::WaitUntil([&] {
    const std::optional<ProcessStatus> status = ReadProcessStatus(second.value());
    return status && status->state == 'Z';
  }));
  launcher.ReapEnded();
  EXPECT_FALSE(ReadProcessStatus(second.value()).has_value()) << "reaped";
  EXPECT_TRUE(launcher.WaitForEnd(second.value(), 0ms));

  EXPECT_FALSE(launcher.WaitForEnd(::getpid(), 0ms)) << "not a host started here";
}

}  // namespace
}  // namespace korrin
