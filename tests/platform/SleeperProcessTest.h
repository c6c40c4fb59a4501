#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/linux/ProcProcessTable.h"
#include "support/ChildProcesses.h"
#include "support/TemporaryFolder.h"

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

// Tests on real processes: each one a sleeper started through a link of the
// name it should run under, by the /proc table through a view that shows and
// ends only the processes the test started.
class SleeperProcessTest : public ::testing::Test {
 protected:
  std::int64_t StartNamed(const std::string& name) {
    const Result<std::int64_t> started = view.Start(LinkNamed(name), {}, StartStyle::MinimizedNotActivated);
    EXPECT_TRUE(started.ok()) << name << ": " << (started ? "" : started.failure().description);
    return started ? started.value() : 0;
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
