#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/SystemPaths.h"
#include "platform/windows/CommandLine.h"
#include "platform/windows/ToolhelpProcessTable.h"
#include "settings/PathConversion.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using namespace std::string_literals;
using testing::TemporaryFolder;
using testing::WaitUntil;

// Built beside the tests.
std::filesystem::path SleeperProgram() {
  return system_paths::ExecutablePath().parent_path() / "korrin_windows_sleeper.exe";
}

std::optional<std::string> NameInSnapshot(const std::vector<ProcessEntry>& snapshot, std::int64_t pid) {
  const auto found =
      std::find_if(snapshot.begin(), snapshot.end(), [pid](const ProcessEntry& entry) { return entry.pid == pid; });
  if (found == snapshot.end()) return std::nullopt;
  return found->imageName;
}

std::optional<DWORD> PriorityOf(std::int64_t pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return std::nullopt;
  const DWORD priority = GetPriorityClass(process);
  CloseHandle(process);
  return priority;
}

// Real sleepers, each a copy of the sleeper program under the name it
// should run as; whatever a test started is ended when it ends, but only
// while the pid still names a copy of ours.
class ToolhelpProcessTableTest : public ::testing::Test {
 protected:
  ~ToolhelpProcessTableTest() override {
    for (std::int64_t pid : started_) {
      const std::optional<std::string> name = NameInSnapshot(table_.Snapshot(), pid);
      if (name && names_.count(*name) != 0) (void)table_.Terminate(pid);
    }
  }

  std::string CopyNamed(const std::string& folder, const std::string& name) {
    const std::filesystem::path target = PathFromText(folder) / PathFromText(name);
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    std::filesystem::copy_file(SleeperProgram(), target, std::filesystem::copy_options::overwrite_existing, ignored);
    names_.insert(TextFromPath(target.filename()));
    return TextFromPath(target);
  }

  std::int64_t Start(const std::string& program, const std::vector<std::string>& arguments,
                     StartStyle style = StartStyle::Normal) {
    const Result<std::int64_t> started = table_.Start(program, arguments, style);
    EXPECT_TRUE(started.ok()) << program << ": " << (started ? "" : started.failure().description);
    if (!started) return 0;
    started_.push_back(started.value());
    return started.value();
  }

  // What a sleeper started with --report wrote; empty when it wrote nothing.
  std::string ReportOf(const std::string& program, const std::vector<std::string>& arguments, StartStyle style) {
    const std::string report = TextFromPath(folder_ / "report.txt");
    std::vector<std::string> line{"--report", report};
    line.insert(line.end(), arguments.begin(), arguments.end());
    const std::int64_t pid = Start(program, line, style);
    if (pid == 0) return {};
    EXPECT_TRUE(WaitUntil([&] { return folder_.Exists("report.txt"); })) << "no report from " << program;
    return folder_.Read("report.txt");
  }

  TemporaryFolder folder_;
  ToolhelpProcessTable table_;
  std::vector<std::int64_t> started_;
  std::set<std::string> names_;
};

TEST_F(ToolhelpProcessTableTest, NamesEachProcessByItsFileAndEndsIt) {
  const std::int64_t inventor = Start(CopyNamed(folder_.string(), "Inventor.exe"), {});
  const std::int64_t watcher = Start(CopyNamed(folder_.string(), "Tembrel.exe"), {});
  const std::vector<ProcessEntry> snapshot = table_.Snapshot();
  EXPECT_EQ(NameInSnapshot(snapshot, inventor), "Inventor.exe");
  EXPECT_EQ(NameInSnapshot(snapshot, watcher), "Tembrel.exe");
  EXPECT_EQ(NameInSnapshot(snapshot, GetCurrentProcessId()), "korrin_windows_platform_tests.exe");

  ASSERT_TRUE(table_.Terminate(inventor).ok());
  // Ended means gone: the next snapshot no longer lists it.
  EXPECT_EQ(NameInSnapshot(table_.Snapshot(), inventor), std::nullopt);
  EXPECT_EQ(NameInSnapshot(table_.Snapshot(), watcher), "Tembrel.exe");
  const Status again = table_.Terminate(inventor);
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(again.failure().number, ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(again.failure().description.empty());
}

TEST_F(ToolhelpProcessTableTest, PriorityClassesAreSetOnTheProcess) {
  const std::int64_t pid = Start(CopyNamed(folder_.string(), "BackAHL.exe"), {});
  const std::pair<PriorityClass, DWORD> table[] = {{PriorityClass::High, HIGH_PRIORITY_CLASS},
                                                   {PriorityClass::Normal, NORMAL_PRIORITY_CLASS}};
  for (const auto& [priority, expected] : table) {
    ASSERT_TRUE(table_.SetPriorityClass(pid, priority).ok()) << expected;
    EXPECT_EQ(PriorityOf(pid), expected);
  }
  ASSERT_TRUE(table_.Terminate(pid).ok());
  const Status gone = table_.SetPriorityClass(pid, PriorityClass::High);
  ASSERT_FALSE(gone.ok());
  EXPECT_EQ(gone.failure().number, ERROR_INVALID_PARAMETER);
}

TEST_F(ToolhelpProcessTableTest, AwkwardArgumentsArriveExactlyAsGiven) {
  const std::vector<std::string> arguments = {
      "plain", "two words", "", "say \"hi\"", "trailing\\", "trailing space\\", "C:\\Program Files\\",
      "back\\\\\"slash", "é ü €", "tab\there", "&|<>^%PATH%", "\\\\server\\share"};
  // The program itself lies in a folder with a space and an accent.
  const std::string program = CopyNamed(folder_.string() + "\\Dossier é", "Tembrel.exe");
  std::string expected = "show=none\n";
  for (const std::string& argument : arguments) expected += argument + '\0';
  EXPECT_EQ(ReportOf(program, arguments, StartStyle::Normal), expected);
}

TEST_F(ToolhelpProcessTableTest, TheWatcherStartsMinimizedAndNotActivated) {
  const std::string program = CopyNamed(folder_.string(), "Tembrel.exe");
  EXPECT_EQ(ReportOf(program, {}, StartStyle::MinimizedNotActivated), "show=" + std::to_string(SW_SHOWMINNOACTIVE) + "\n");
}

TEST_F(ToolhelpProcessTableTest, AProgramThatCannotStartIsAFailure) {
  const Result<std::int64_t> missing =
      table_.Start(TextFromPath(folder_ / "missing.exe"), {"x"}, StartStyle::Normal);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.failure().number, ERROR_FILE_NOT_FOUND);
  // Never searched for along the path.
  EXPECT_FALSE(table_.Start("cmd.exe", {"/c", "exit"}, StartStyle::Normal).ok());
}

TEST(QuotedCommandLine, QuotesOnlyWhatNeedsIt) {
  const std::pair<std::vector<std::wstring>, std::wstring> table[] = {
      {{L"a.exe", L"plain"}, L"a.exe plain"},
      {{L"C:\\p q\\a.exe", L"x y"}, L"\"C:\\p q\\a.exe\" \"x y\""},
      {{L"a", L""}, L"a \"\""},
      {{L"a", L"say \"hi\""}, L"a \"say \\\"hi\\\"\""},
      {{L"a", L"dir\\"}, L"a dir\\"},
      {{L"a", L"my dir\\"}, L"a \"my dir\\\\\""},
      {{L"a", L"x\\\\\"y"}, L"a \"x\\\\\\\\\\\"y\""},
      {{L"a", L"a\\b c"}, L"a \"a\\b c\""},
  };
  for (const auto& [arguments, line] : table) EXPECT_EQ(QuotedCommandLine(arguments), line) << line.size();
}

}  // namespace
}  // namespace korrin
