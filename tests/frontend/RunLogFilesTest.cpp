#include "frontend/RunLogFiles.h"

#include <gtest/gtest.h>

#include <set>

#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

std::tm LocalStart(int year, int month, int day, int hour, int minute, int second) {
  std::tm start{};
  start.tm_year = year - 1900;
  start.tm_mon = month - 1;
  start.tm_mday = day;
  start.tm_hour = hour;
  start.tm_min = minute;
  start.tm_sec = second;
  return start;
}

std::set<std::string> Names(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

TEST(RunLogFilesTest, TheFolderFollowsTheStateHomeElseHome) {
  struct Case {
    const char* stateHome;
    const char* home;
    const char* folder;
  } cases[] = {
      {"/var/state", "/home/ann", "/var/state/korrin/logs"},
      {nullptr, "/home/ann", "/home/ann/.local/state/korrin/logs"},
      {"", "/home/ann", "/home/ann/.local/state/korrin/logs"},
      {"relative/state", "/home/ann", "/home/ann/.local/state/korrin/logs"},
      {nullptr, nullptr, ""},
      {nullptr, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunLogFolder(c.stateHome, c.home).string(), c.folder)
        << (c.stateHome ? c.stateHome : "(unset)") << " / " << (c.home ? c.home : "(unset)");
  }
}

TEST(RunLogFilesTest, NamesAreTheStartInLocalTime) {
  EXPECT_EQ(RunLogBaseName(LocalStart(2026, 12, 6, 21, 30, 45)), "2026-12-06_213045");
  EXPECT_EQ(RunLogBaseName(LocalStart(2027, 1, 2, 3, 4, 5)), "2027-01-02_030405");
  struct Case {
    const char* name;
    bool isLog;
  } cases[] = {
      {"2026-12-06_213045.log", true},    {"2026-12-06_213045-2.log", true}, {"2026-12-06_213045-12.log", true},
      {"2026-12-06_213045-0.log", false}, {"2026-12-06_213045-.log", false}, {"2026-12-06_213045.txt", false},
      {"2026-12-06 213045.log", false},   {"notes.log", false},              {"2026-12-06_21304x.log", false},
      {"2026-12-06_213045-2a.log", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsRunLogName(c.name), c.isLog) << c.name;
}

TEST(RunLogFilesTest, ASecondRunOfTheSameSecondGetsTheNextNumberAndLinesArriveAsLogged) {
  testing::TemporaryFolder folder;
  const std::filesystem::path logs = folder / "state/korrin/logs";
  const std::tm start = LocalStart(2026, 12, 6, 21, 30, 45);
  std::vector<std::unique_ptr<RunLogFile>> files;
  for (int run = 0; run < 3; ++run) {
    auto created = RunLogFile::Create(logs, start);
    ASSERT_TRUE(created) << created.failure().description;
    files.push_back(std::move(created).value());
  }
  EXPECT_EQ(files[0]->path(), logs / "2026-12-06_213045.log");
  EXPECT_EQ(files[1]->path(), logs / "2026-12-06_213045-2.log");
  EXPECT_EQ(files[2]->path(), logs / "2026-12-06_213045-3.log");

  ASSERT_TRUE(files[1]->Append("Opening: /data/a.ipt"));
  // Each line is in the file as soon as it was logged, before the run ends.
  EXPECT_EQ(folder.Read("state/korrin/logs/2026-12-06_213045-2.log"), "Opening: /data/a.ipt\r\n");
  ASSERT_TRUE(files[1]->Append("Error opening\rFile not found"));
  ASSERT_TRUE(files[1]->Append("Ready"));
  EXPECT_EQ(folder.Read("state/korrin/logs/2026-12-06_213045-2.log"),
            "Opening: /data/a.ipt\r\nError opening\rFile not found\r\nReady\r\n");
  EXPECT_EQ(folder.Read("state/korrin/logs/2026-12-06_213045.log"), "");
}

TEST(RunLogFilesTest, AFolderThatCannotBeMadeIsSaid) {
  testing::TemporaryFolder folder;
  folder.Write("state", "a file where the folder should be");
  const auto created = RunLogFile::Create(folder / "state/logs", LocalStart(2026, 1, 1, 0, 0, 0));
  ASSERT_FALSE(created);
  EXPECT_NE(created.failure().description.find((folder / "state/logs").string()), std::string::npos)
      << created.failure().description;
  EXPECT_FALSE(RunLogFile::Create({}, LocalStart(2026, 1, 1, 0, 0, 0)));
}

TEST(RunLogFilesTest, PruningKeepsTheNewestLogsAndNothingElseIsTouched) {
  testing::TemporaryFolder folder;
  const std::vector<std::string> logs = {
      "2025-01-01_000000.log",   "2026-12-06_213045.log",  "2026-12-06_213045-2.log",
      "2026-12-06_213045-10.log", "2026-12-07_080000.log",
  };
  for (const std::string& name : logs) folder.Write(name, "Ready\r\n");
  folder.Write("notes.txt", "mine");
  folder.Write("old.log", "mine too");

  EXPECT_EQ(PruneRunLogs(folder.path(), 5), 0u);
  EXPECT_EQ(PruneRunLogs(folder.path(), 3), 2u);
  EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"2026-12-06_213045-2.log", "2026-12-06_213045-10.log",
                                                          "2026-12-07_080000.log", "notes.txt", "old.log"}));
  EXPECT_EQ(PruneRunLogs(folder.path(), 1), 2u);
  EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"2026-12-07_080000.log", "notes.txt", "old.log"}));
  EXPECT_EQ(PruneRunLogs(folder / "missing", 1), 0u);
}

}  // namespace
}  // namespace korrin
