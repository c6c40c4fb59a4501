#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/linux/HostSocketFolder.h"
#include "platform/linux/LocalSocket.h"
#include "platform/linux/PrivateFolder.h"
#include "platform/linux/ProcFiles.h"
#include "support/ChildProcesses.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using testing::ScopedEnvironment;

constexpr mode_t kPermissionBits = 07777;
// More than one clock tick of /proc's start times, so processes started this
// far apart do not tie.
constexpr std::chrono::milliseconds kApart{40};

std::string SleeperProgram() { return std::string(KORRIN_BIN_DIR) + "/korrin_test_sleeper"; }

// A socket file as a host leaves it; whether anything listens does not matter
// to the listing.
void MakeSocket(const std::string& path) {
  Result<FileDescriptor> socket = NewLocalSocket();
  ASSERT_TRUE(socket.ok());
  const Result<sockaddr_un> address = LocalAddress(path);
  ASSERT_TRUE(address.ok());
  ASSERT_EQ(::bind(socket.value().get(), reinterpret_cast<const sockaddr*>(&address.value()), sizeof address.value()),
            0)
      << path;
}

std::vector<std::string> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

bool IsZombie(pid_t pid) {
  const std::optional<ProcessStatus> status = ReadProcessStatus(pid);
  return status && status->state == 'Z';
}

// The id of a process that ended and was reaped: nothing runs under it.
pid_t GoneProcessId() {
  const pid_t pid = testing::SpawnChild(SleeperProgram(), {"sleeper", "--exit"});
  ::waitpid(pid, nullptr, 0);
  return pid;
}

class HostSocketFolderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const pid_t pid : children) testing::EndChild(pid);
  }

  pid_t StartSleeper(const std::vector<std::string>& arguments = {}) {
    std::vector<std::string> argv{"sleeper"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const pid_t pid = testing::SpawnChild(SleeperProgram(), argv);
    EXPECT_GT(pid, 0);
    children.push_back(pid);
    return pid;
  }

  std::string SocketOf(pid_t pid) const { return HostSocketPath(folder, pid); }

  testing::TemporaryFolder root;
  const std::string folder = (root / "hosts").string();
  std::vector<pid_t> children;
};

// The runtime folder's other unusable kinds are the window folder's tests.
TEST(HostSocketFolderPath, ComesFromKorrinHostsElseTheRuntimeFolderElseTmp) {
  const testing::TemporaryFolder runtime;
  ScopedEnvironment hosts("KORRIN_HOSTS", nullptr);
  {
    ScopedEnvironment xdg("XDG_RUNTIME_DIR", runtime.string());
    EXPECT_EQ(HostSocketFolderPath(), runtime.string() + "/korrin-hosts");
    ScopedEnvironment chosen("KORRIN_HOSTS", "/somewhere/hosts");
    EXPECT_EQ(HostSocketFolderPath(), "/somewhere/hosts");
  }
  ScopedEnvironment xdg("XDG_RUNTIME_DIR", "/nonexistent/run");
  EXPECT_EQ(HostSocketFolderPath(), "/tmp/korrin-hosts-" + std::to_string(::geteuid()));
}

TEST_F(HostSocketFolderTest, IsPreparedForThisUserAloneAndNamesSocketsByProcessId) {
  ASSERT_TRUE(PreparePrivateFolder(folder).ok());
  struct stat status {};
  ASSERT_EQ(::lstat(folder.c_str(), &status), 0);
  EXPECT_TRUE(S_ISDIR(status.st_mode));
  EXPECT_EQ(status.st_mode & kPermissionBits, 0700u);
  EXPECT_TRUE(PreparePrivateFolder(folder).ok()) << "a prepared folder is prepared again";
  EXPECT_EQ(HostSocketPath(folder, 4711), folder + "/4711");

  const Status missingParent = PreparePrivateFolder((root / "missing" / "hosts").string());
  ASSERT_FALSE(missingParent.ok());
  EXPECT_EQ(missingParent.failure(), (Failure{ENOENT, "No such file or directory"}));
}

TEST_F(HostSocketFolderTest, AFolderOthersMayUseOrALinkOrAFileIsRefused) {
  const std::string target = (root / "target").string();
  ASSERT_TRUE(PreparePrivateFolder(target).ok());
  const std::string linked = (root / "linked").string();
  ASSERT_EQ(::symlink(target.c_str(), linked.c_str()), 0);
  const std::string groupFolder = (root / "group").string();
  ASSERT_EQ(::mkdir(groupFolder.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(groupFolder.c_str(), 0750), 0);
  const std::string otherFolder = (root / "other").string();
  ASSERT_EQ(::mkdir(otherFolder.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(otherFolder.c_str(), 0703), 0);
  root.Write("file", "");
  const std::string file = (root / "file").string();

  for (const std::string& refused : {linked, groupFolder, otherFolder, file}) {
    const Failure expected{EACCES, refused + " is not a folder for this user alone"};
    const Status prepared = PreparePrivateFolder(refused);
    ASSERT_FALSE(prepared.ok()) << refused;
    EXPECT_EQ(prepared.failure(), expected) << refused;
    const Result<std::vector<pid_t>> listed = RunningHosts(refused);
    ASSERT_FALSE(listed.ok()) << refused;
    EXPECT_EQ(listed.failure(), expected) << refused;
  }
}

TEST_F(HostSocketFolderTest, AFolderOfAnotherUserIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  constexpr uid_t kNobody = 65534;
  ASSERT_TRUE(PreparePrivateFolder(folder).ok());
  ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
  const Status checked = CheckPrivateFolder(folder);
  ASSERT_FALSE(checked.ok());
  EXPECT_EQ(checked.failure(), (Failure{EACCES, folder + " is not a folder for this user alone"}));
  EXPECT_FALSE(RunningHosts(folder).ok());
}

TEST_F(HostSocketFolderTest, AMissingFolderListsNoHosts) {
  const Result<std::vector<pid_t>> listed = RunningHosts(folder);
  ASSERT_TRUE(listed.ok()) << listed.failure().description;
  EXPECT_TRUE(listed.value().empty());
  EXPECT_FALSE(std::filesystem::exists(folder)) << "listing creates nothing";
}

TEST_F(HostSocketFolderTest, ListsLiveHostsOldestFirstAndRemovesSocketsOfEndedOnes) {
  ASSERT_TRUE(PreparePrivateFolder(folder).ok());
  const pid_t oldest = StartSleeper();
  std::this_thread::sleep_for(kApart);
  const pid_t middle = StartSleeper();
  std::this_thread::sleep_for(kApart);
  const pid_t youngest = StartSleeper();
  const pid_t zombie = StartSleeper({"--exit"});
  ASSERT_TRUE(testing::WaitUntil([&] { return IsZombie(zombie); }));
  const pid_t gone = GoneProcessId();
  // Made in an order of their own, so the listing's order is the processes'.
  for (const pid_t pid : {middle, gone, youngest, zombie, oldest}) MakeSocket(SocketOf(pid));

  const Result<std::vector<pid_t>> listed = RunningHosts(folder);
  ASSERT_TRUE(listed.ok()) << listed.failure().description;
  EXPECT_EQ(listed.value(), (std::vector<pid_t>{oldest, middle, youngest}));
  EXPECT_FALSE(std::filesystem::exists(SocketOf(gone)));
  EXPECT_FALSE(std::filesystem::exists(SocketOf(zombie)));
  for (const pid_t pid : {oldest, middle, youngest}) EXPECT_TRUE(std::filesystem::exists(SocketOf(pid))) << pid;

  // The oldest ends: it leaves the list, the others keep their order.
  testing::EndChild(oldest);
  const Result<std::vector<pid_t>> after = RunningHosts(folder);
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after.value(), (std::vector<pid_t>{middle, youngest}));
  EXPECT_FALSE(std::filesystem::exists(SocketOf(oldest)));
}

TEST_F(HostSocketFolderTest, FilesOfOtherNamesOrKindsAreLeftAloneAndNotListed) {
  ASSERT_TRUE(PreparePrivateFolder(folder).ok());
  const pid_t live = StartSleeper();
  const pid_t gone = GoneProcessId();
  const std::string own = std::to_string(::getpid());
  root.Write("hosts/" + own, "a plain file named by a live process");
  root.Write("hosts/" + std::to_string(gone), "a plain file named by a gone process");
  root.Write("hosts/notes.txt", "");
  MakeSocket(folder + "/0" + std::to_string(live));
  MakeSocket(folder + "/" + std::to_string(live) + ".old");
  MakeSocket(folder + "/-" + std::to_string(live));
  MakeSocket(folder + "/server");
  ASSERT_EQ(::mkdir((folder + "/" + std::to_string(GoneProcessId())).c_str(), 0700), 0);
  MakeSocket((root / "elsewhere").string());
  ASSERT_EQ(::symlink((root / "elsewhere").c_str(), SocketOf(live).c_str()), 0);
  const std::vector<std::string> before = EntriesOf(folder);
  ASSERT_EQ(before.size(), 9u);

  const Result<std::vector<pid_t>> listed = RunningHosts(folder);
  ASSERT_TRUE(listed.ok()) << listed.failure().description;
  EXPECT_EQ(listed.value(), std::vector<pid_t>{});
  EXPECT_EQ(EntriesOf(folder), before);
}

}  // namespace
}  // namespace korrin
