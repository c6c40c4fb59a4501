#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/linux/ProcProcessTable.h"
#include "support/ChildProcesses.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin::testing {

// The sleeper program built beside the tests.
inline std::string SleeperProgram() { return std::string(KORRIN_BIN_DIR) + "/korrin_test_sleeper"; }

// The nice value of a process; nothing when it is gone.
inline std::optional<int> NiceValue(std::int64_t pid) {
  errno = 0;
  const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(pid));
  if (errno != 0) return std::nullopt;
  return nice;
}

// Whether the kernel shows the process's arguments yet.
inline bool HasArguments(std::int64_t pid) {
  std::ifstream commandLine("/proc/" + std::to_string(pid) + "/cmdline");
  return commandLine.peek() != std::ifstream::traits_type::eof();
}

// Tests on real processes: each one a sleeper started through a link of the
// name it should run under, by the /proc table through a view that shows and
// ends only the processes the test started.
class SleeperProcessTest : public ::testing::Test {
 protected:
  std::int64_t StartNamed(const std::string& name) {
    const Result<std::int64_t> started = view.Start(LinkNamed(name), {}, StartStyle::MinimizedNotActivated);
    EXPECT_TRUE(started.ok()) << name << ": " << (started ? "" : started.failure().description);
    if (!started) return 0;
    // The start returns once the program is being executed, a moment before
    // the kernel shows its arguments, from which a long name is read.
    EXPECT_TRUE(WaitUntil([&] { return HasArguments(started.value()); })) << name;
    return started.value();
  }

  std::string LinkNamed(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::create_symlink(SleeperProgram(), links / name, ignored);
    return (links / name).string();
  }

  TemporaryFolder links;
  ProcProcessTable table;
  StartedProcessesView view{table};
};

}  // namespace korrin::testing
