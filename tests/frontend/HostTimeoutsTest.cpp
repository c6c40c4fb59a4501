#include "frontend/HostTimeouts.h"

#include <gtest/gtest.h>

#include "support/ScopedEnvironment.h"

namespace korrin {
namespace {

// Sets the two variables for one test and takes them away after it.
class HostTimeoutsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testing::SetEnvironment(kHostTimeoutVariable, nullptr);
    testing::SetEnvironment(kCallTimeoutVariable, nullptr);
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
  testing::SetEnvironment(kCallTimeoutVariable, "4");
  read = HostTimeoutsFromEnvironment();
  EXPECT_EQ(read.timeouts.hostSeconds, 600);
  EXPECT_EQ(read.timeouts.callSeconds, 4);
  testing::SetEnvironment(kHostTimeoutVariable, "90");
  read = HostTimeoutsFromEnvironment();
  EXPECT_EQ(read.timeouts.hostSeconds, 90);
  const host::CallDeadlines deadlines = read.timeouts.Deadlines();
  EXPECT_EQ(deadlines.work, std::chrono::seconds(90));
  EXPECT_EQ(deadlines.query, std::chrono::seconds(4));
}

TEST_F(HostTimeoutsTest, AVariableWithoutSuchANumberIsNamed) {
  testing::SetEnvironment(kHostTimeoutVariable, "ten");
  EXPECT_EQ(HostTimeoutsFromEnvironment().problem,
            "KORRIN_HOST_TIMEOUT needs a whole number of seconds from 1 to 604800: ten");
  testing::SetEnvironment(kHostTimeoutVariable, "10");
  testing::SetEnvironment(kCallTimeoutVariable, "");
#ifdef _WIN32
  // An empty value removes the variable there, so the default holds.
  EXPECT_EQ(HostTimeoutsFromEnvironment().problem, "");
  EXPECT_EQ(HostTimeoutsFromEnvironment().timeouts.callSeconds, 30);
#else
  EXPECT_EQ(HostTimeoutsFromEnvironment().problem,
            "KORRIN_CALL_TIMEOUT needs a whole number of seconds from 1 to 604800: ");
#endif
}

}  // namespace
}  // namespace korrin
