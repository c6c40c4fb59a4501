#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/linux/ProcFiles.h"
#include "support/ChildProcesses.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

TEST(ProcessIdNamed, TakesThePlainDecimalSpellingAlone) {
  const struct {
    const char* name;
    std::optional<pid_t> pid;
  } cases[] = {
      {"1", 1},
      {"4711", 4711},
      {"2147483647", 2147483647},
      {"0", std::nullopt},
      {"007", std::nullopt},
      {"-5", std::nullopt},
      {"+5", std::nullopt},
      {"12a", std::nullopt},
      {"4711.old", std::nullopt},
      {" 12", std::nullopt},
      {"", std::nullopt},
      {"2147483648", std::nullopt},
  };
  for (const auto& test : cases) EXPECT_EQ(ProcessIdNamed(test.name), test.pid) << '"' << test.name << '"';
}

// A command name may hold blanks and parentheses; the fields after it are
// still found.
TEST(ReadProcessStatus, ReadsNameStateAndStartTimePastAnOddCommandName) {
  const testing::TemporaryFolder links;
  const std::filesystem::path link = links / "a) (b c";
  std::filesystem::create_symlink(std::string(KORRIN_BIN_DIR) + "/korrin_test_sleeper", link);
  const std::optional<ProcessStatus> own = ReadProcessStatus(::getpid());
  ASSERT_TRUE(own.has_value());
  EXPECT_NE(own->state, 'Z');

  const pid_t child = testing::SpawnChild(link.string(), {"a) (b c"});
  ASSERT_GT(child, 0);
  // The name is the program's once it executes, a moment after the start.
  EXPECT_TRUE(testing::WaitUntil([&] {
    const std::optional<ProcessStatus> status = ReadProcessStatus(child);
    return status && status->commandName == "a) (b c" && status->state == 'S';
  }));
  const std::optional<ProcessStatus> status = ReadProcessStatus(child);
  ASSERT_TRUE(status.has_value());
  EXPECT_GE(status->startTime, own->startTime) << "a child starts after its parent";
  EXPECT_GT(status->startTime, 0u);
  testing::EndChild(child);
  EXPECT_EQ(ReadProcessStatus(child), std::nullopt) << "reaped: no such process";
}

}  // namespace
}  // namespace korrin
