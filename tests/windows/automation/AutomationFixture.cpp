#include "AutomationFixture.h"

#include <string>

#include "platform/windows/automation/ComHostConnector.h"
#include "support/windows/TestModel.h"
#include "support/windows/TestPrograms.h"
#include "support/windows/TestServerClasses.h"

namespace korrin::testing {
namespace {

std::wstring ServerProgram() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + kTestServerImage;
}

}  // namespace

int RunServerProgram(const wchar_t* option) { return RunAndWait({ServerProgram(), option}); }

void EndTestServers() { EndProcessesNamed(kTestServerImage); }

bool ProcessRunsWithId(DWORD id) {
  std::optional<ServerProcess> process = ServerProcess::Open(id);
  return process && process->Runs();
}

void AutomationTest::SetUpTestSuite() { ASSERT_EQ(RunServerProgram(L"/RegServer"), 0); }

void AutomationTest::TearDownTestSuite() {
  EndTestServers();
  EXPECT_EQ(RunServerProgram(L"/UnregServer"), 0);
}

void AutomationTest::SetUp() { ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }

void AutomationTest::TearDown() {
  EndTestServers();
  ::CoUninitialize();
}

std::shared_ptr<ComDispatchChannel> AutomationTest::StartHost() {
  Result<std::shared_ptr<ComDispatchChannel>> channel = StartLocalServer(kTestInventorClass.progId, &pump_);
  EXPECT_TRUE(channel) << channel.failure().description;
  if (!channel) return nullptr;
  EXPECT_NE(channel.value()->server(), nullptr) << "the server process was not found";
  return std::move(channel).value();
}

Result<host::DispatchValue> AutomationTest::Call(ComDispatchChannel& channel, std::int32_t member,
                                                 std::vector<host::DispatchValue> arguments, host::InvokeKind kind,
                                                 host::ObjectReference object, std::chrono::milliseconds deadline) {
  return channel.Invoke(object, member, kind, arguments, deadline);
}

std::int32_t AutomationTest::ServerProcessId(ComDispatchChannel& channel) {
  Result<host::DispatchValue> id = Call(channel, model_members::kProcessId, {}, host::InvokeKind::PropertyGet);
  if (!id || !id.value().holds<std::int32_t>()) {
    ADD_FAILURE() << "no process id";
    return 0;
  }
  return id.value().as<std::int32_t>();
}

}  // namespace korrin::testing
