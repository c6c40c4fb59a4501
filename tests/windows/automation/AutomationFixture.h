#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "platform/windows/automation/ComDispatchChannel.h"
#include "support/RecordingEventPump.h"

namespace korrin::testing {

// The test automation server registered for the test user while the tests
// run; each test talks to servers of its own, all ended when it ends.
class AutomationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A new server of the test host's class, whose process the channel knows.
  std::shared_ptr<ComDispatchChannel> StartHost();
  Result<host::DispatchValue> Call(ComDispatchChannel& channel, std::int32_t member,
                                   std::vector<host::DispatchValue> arguments = {},
                                   host::InvokeKind kind = host::InvokeKind::Method,
                                   host::ObjectReference object = host::kApplicationObject,
                                   std::chrono::milliseconds deadline = std::chrono::seconds(20));
  std::int32_t ServerProcessId(ComDispatchChannel& channel);

  RecordingEventPump pump_;
};

// Runs the server program with one option and waits for its exit status.
int RunServerProgram(const wchar_t* option);
// Ends every process of the test server that still runs.
void EndTestServers();
bool ProcessRunsWithId(DWORD id);

}  // namespace korrin::testing
