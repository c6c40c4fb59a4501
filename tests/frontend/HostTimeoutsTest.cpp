#include "frontend/HostTimeouts.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace korrin {
namespace {

// Sets the two variables for one test and takes them away after it.
class HostTimeoutsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ::unsetenv(kHostTimeoutVariable);
    ::unsetenv(kCallTimeoutVariable);
  }
};

TEST_F(HostTimeoutsTest, SecondsAreWholeNumbersFromOneToAWeek) {
  EXPECT_EQ(TimeoutSeconds("1"), 1);
  EXPECT_EQ(TimeoutSeconds("604800"), 604800);
  for (const char* refused : {"", "0", "604801", "-5", "+5", " 5", "5 ", "5s", "1.5", "99999999999"}) {
    EXPECT_EQ(TimeoutSeconds(refused), std::nullopt) << refused;
  }
}

TEST_F(HostTimeoutsTest, TheEnvironmentChangesTheDefaultsItNames) {
  HostTimeoutsRead read = HostTimeoutsFromEnvironment();
  EXPECT_EQ(read.problem, "");
  EXPECT_EQ(read.timeouts.hostSeconds, 600);
  EXPECT_EQ(read.timeouts.callSeconds, 30);
  ::setenv(kCallTimeoutVariable, "4", 1);
  read = HostTimeoutsFromEnvironment();
  EXPECT_EQ(read.timeouts.hostSeconds, 600);
  EXPECT_EQ(read.timeouts.callSeconds, 4);
  ::setenv(kHostTimeoutVariable, "90", 1);
  read = HostTimeoutsFromEnvironment();
  EXPECT_EQ(read.timeouts.hostSeconds, 90);
  const host::CallDeadlines deadlines = read.timeouts.Deadlines();
  EXPECT_EQ(deadlines.work, std::chrono::seconds(90));
  EXPECT_EQ(deadlines.query, std::chrono::seconds(4));
}

TEST_F(HostTimeoutsTest, AVariableWithoutSuchANumberIsNamed) {
  ::setenv(kHostTimeoutVariable, "ten", 1);
  EXPECT_EQ(HostTimeoutsFromEnvironment().problem,
            "KORRIN_HOST_TIMEOUT needs a whole number of seconds from 1 to 604800: ten");
  ::setenv(kHostTimeoutVariable, "10", 1);
  ::setenv(kCallTimeoutVariable, "", 1);
  EXPECT_EQ(HostTimeoutsFromEnvironment().problem,
            "KORRIN_CALL_TIMEOUT needs a whole number of seconds from 1 to 604800: ");
}

}  // namespace
}  // namespace korrin
