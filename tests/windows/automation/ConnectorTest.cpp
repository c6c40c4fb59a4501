// The Windows host connector: classes by name, get running, create, and
// AutoCAD through the names of its members.
#include <gtest/gtest.h>

#include "AutomationFixture.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "platform/windows/automation/ComHostConnector.h"
#include "support/windows/TestModel.h"

namespace korrin::testing {
namespace {

using ConnectorTest = AutomationTest;

AutomationClasses MissingClasses() {
  return {L"Korrin.NoSuchHost", L"Korrin.NoSuchReader", L"Korrin.NoSuchAcad"};
}

TEST_F(ConnectorTest, AClassThatIsNotRegisteredIsAnInvalidClassString) {
  ComHostConnector connector(MissingClasses());
  const Failure invalid{-2147221005, "Invalid class string"};
  const std::vector<std::pair<const char*, Failure>> failures{
      {"create", connector.Create().failure()},
      {"get running", connector.GetRunning().failure()},
      {"document reader", connector.NewApprentice().failure()},
      {"create AutoCAD", connector.CreateAcad().failure()},
      {"get running AutoCAD", connector.GetRunningAcad().failure()},
  };
  for (const auto& [what, failure] : failures) EXPECT_EQ(failure, invalid) << what;
}

TEST_F(ConnectorTest, GetRunningFindsTheInstanceCreateStartedAndFailsWhenNoneRuns) {
  ComHostConnector first;
  EXPECT_EQ(first.GetRunning().failure(), host::OperationUnavailable());
  Result<std::shared_ptr<host::Application>> created = first.Create();
  ASSERT_TRUE(created) << created.failure().description;
  ASSERT_TRUE(created.value()->SetStartUpSetting(host::StartUpSetting::First, true));

  ComHostConnector second;
  Result<std::shared_ptr<host::Application>> running = second.GetRunning();
  ASSERT_TRUE(running) << running.failure().description;
  Result<host::DocumentHandle> opened = running.value()->OpenDocument("C:\\shared.ipt", true);
  ASSERT_TRUE(opened) << opened.failure().description;
  // Both connectors talk to the one server.
  EXPECT_EQ(created.value()->DocumentCount().value(), 1);
  EXPECT_EQ(ProcessesNamed(L"korrin-test-automation-server.exe").size(), 1u);
  ASSERT_TRUE(created.value()->Quit());
  EXPECT_TRUE(ProcessesNamed(L"korrin-test-automation-server.exe").empty());
}

TEST_F(ConnectorTest, AutoCadIsDrivenThroughTheNamesOfItsMembers) {
  ComHostConnector connector;
  Result<std::shared_ptr<host::Acad>> started = connector.CreateAcad();
  ASSERT_TRUE(started) << started.failure().description;
  host::Acad& acad = *started.value();
  ASSERT_TRUE(acad.SetVisible(false));
  EXPECT_EQ(acad.DocumentCount().value(), 0);
  ASSERT_TRUE(acad.OpenDocument("C:\\out\\Blatt 1.dwg"));
  EXPECT_EQ(acad.DocumentCount().value(), 1);
  ASSERT_TRUE(acad.SetLineweightDisplay(false));
  ASSERT_TRUE(acad.Update());
  EXPECT_EQ(acad.IsQuiescent().value(), true);
  ASSERT_TRUE(acad.CloseActiveDocument(true));
  EXPECT_EQ(acad.DocumentCount().value(), 0);
  Result<std::shared_ptr<host::Acad>> again = connector.GetRunningAcad();
  ASSERT_TRUE(again);
  EXPECT_EQ(again.value(), started.value());
}

TEST_F(ConnectorTest, AMemberNameIsResolvedOncePerObjectType) {
  namespace m = host::members;
  Result<std::shared_ptr<ComDispatchChannel>> started = StartLocalServer(L"AutoCAD.Application", &pump_);
  ASSERT_TRUE(started) << started.failure().description;
  ComDispatchChannel& channel = *started.value();
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(Call(channel, m::kAcadVisible, {true}, host::InvokeKind::PropertyPut));
    Result<host::DispatchValue> documents = Call(channel, m::kAcadDocuments, {}, host::InvokeKind::PropertyGet);
    ASSERT_TRUE(documents) << documents.failure().description;
    ASSERT_TRUE(Call(channel, m::kAcadOpen, {"C:\\a.dwg"}, host::InvokeKind::Method,
                     documents.value().as<host::ObjectReference>()));
  }
  EXPECT_EQ(Call(channel, model_members::kNameLookups, {}, host::InvokeKind::PropertyGet).value(),
            host::DispatchValue(3));
}

TEST_F(ConnectorTest, TheConnectorsDocumentReaderOpensReadsItsVersionAndClosesInProcess) {
  ComHostConnector connector;
  Result<std::unique_ptr<host::Apprentice>> made = connector.NewApprentice();
  ASSERT_TRUE(made) << made.failure().description;
  host::Apprentice& reader = *made.value();
  Result<host::DocumentHandle> document = reader.Open("C:\\logo.ipt");
  ASSERT_TRUE(document) << document.failure().description;
  EXPECT_TRUE(document.value());
  EXPECT_EQ(reader.SoftwareVersion().value(), (host::Release{11, 0}));
  EXPECT_TRUE(reader.CloseAll());
  // What the model's reader does not serve fails with the channel's text.
  EXPECT_EQ(reader.ComputeStatus(document.value()).failure(), host::MemberNotFound());
}

TEST_F(ConnectorTest, TheDocumentReaderIsServedInsideTheCallersProcess) {
  namespace m = host::members;
  Result<std::shared_ptr<ComDispatchChannel>> made = StartInProcessServer(L"Inventor.ApprenticeServerComponent", &pump_);
  ASSERT_TRUE(made) << made.failure().description;
  ComDispatchChannel& reader = *made.value();
  EXPECT_EQ(reader.server(), nullptr);
  EXPECT_EQ(ServerProcessId(reader), static_cast<std::int32_t>(::GetCurrentProcessId()));
  EXPECT_EQ(Call(reader, model_members::kEcho, {"Maß"}).value(), host::DispatchValue("Maß"));
  Result<host::DispatchValue> documents = Call(reader, m::kDocuments, {}, host::InvokeKind::PropertyGet);
  ASSERT_TRUE(documents) << documents.failure().description;
  const auto collection = documents.value().as<host::ObjectReference>();
  Result<host::DispatchValue> document = Call(reader, m::kOpen, {"C:\\logo.ipt", false}, host::InvokeKind::Method, collection);
  ASSERT_TRUE(document) << document.failure().description;
  EXPECT_EQ(Call(reader, m::kFullFileName, {}, host::InvokeKind::PropertyGet,
                 document.value().as<host::ObjectReference>()).value(),
            host::DispatchValue("C:\\logo.ipt"));
  // A new reader per use: the second knows nothing of the first's documents.
  Result<std::shared_ptr<ComDispatchChannel>> second = StartInProcessServer(L"Inventor.ApprenticeServerComponent", &pump_);
  ASSERT_TRUE(second);
  Result<host::DispatchValue> secondDocuments = Call(*second.value(), m::kDocuments, {}, host::InvokeKind::PropertyGet);
  ASSERT_TRUE(secondDocuments);
  EXPECT_EQ(Call(*second.value(), m::kCount, {}, host::InvokeKind::PropertyGet,
                 secondDocuments.value().as<host::ObjectReference>()).value(),
            host::DispatchValue(0));
}

TEST_F(ConnectorTest, AKilledHostIsNoLongerTheRunningOneAndCreateStartsAnother) {
  ComHostConnector connector;
  Result<std::shared_ptr<host::Application>> created = connector.Create();
  ASSERT_TRUE(created) << created.failure().description;
  const std::set<DWORD> before = ProcessesNamed(L"korrin-test-automation-server.exe");
  ASSERT_EQ(before.size(), 1u);
  EndTestServers();
  Result<std::int32_t> count = created.value()->DocumentCount();
  ASSERT_FALSE(count);
  EXPECT_EQ(count.failure(), host::ServerUnavailable());
  Result<std::shared_ptr<host::Application>> renewed = connector.Create();
  ASSERT_TRUE(renewed) << renewed.failure().description;
  EXPECT_EQ(renewed.value()->DocumentCount().value(), 0);
  const std::set<DWORD> after = ProcessesNamed(L"korrin-test-automation-server.exe");
  ASSERT_EQ(after.size(), 1u);
  EXPECT_NE(*after.begin(), *before.begin());
}

}  // namespace
}  // namespace korrin::testing
