#include <gtest/gtest.h>

#include "host/HostSession.h"
#include "support/FakeHost.h"
#include "support/FakeProcessTable.h"
#include "support/RecordingEventPump.h"
#include "support/ScriptedDialogs.h"

namespace korrin {
namespace {

using testing::FakeConnector;
using testing::FakeSessionHost;

const std::string kMoreInstances =
    "More active instances of Inventor has been detected ( 2 )\r"
    "Korrin must shut down these instances down to ensure correct functionality( Any documents will be closed "
    "without save )\rContinue ?";
const std::string kUnreachable = "Error connecting to active Inventor\rInventor instance must be shut down. Continue ?";
const std::string kOpenDocuments =
    "There are documents open in current Inventor session\r"
    "It is not recommended to have any documents openwhile converting\r"
    "Should Korrin close these documents ( no save ) ?";

class PrepareHostTest : public ::testing::Test {
 protected:
  void Processes(std::vector<std::string> names) {
    std::int64_t pid = 100;
    for (std::string& name : names) table_.processes.push_back({pid++, std::move(name)});
  }
  std::vector<std::string> RemainingNames() const {
    std::vector<std::string> names;
    for (const ProcessEntry& process : table_.processes) names.push_back(process.imageName);
    return names;
  }
  bool Prepare() { return PrepareHost({connector_, table_, dialogs_, events_}); }

  testing::FakeProcessTable table_;
  FakeConnector connector_;
  testing::ScriptedDialogs dialogs_;
  testing::RecordingEventPump events_;
};

TEST_F(PrepareHostTest, NoHostRunningNeedsNothing) {
  Processes({"explorer.exe"});
  EXPECT_TRUE(Prepare());
  EXPECT_EQ(connector_.getRunningCalls, 0);
}

TEST_F(PrepareHostTest, TwoInstancesAreAskedToQuitAndLeftoversEnded) {
  Processes({"Inventor.exe", "C:\\Apps\\inventor.exe", "BackAHL.exe", "explorer.exe"});
  auto host = std::make_shared<FakeSessionHost>();
  // Each reachable instance that quits takes its process with it.
  host->onQuit = [this] { table_.processes.erase(table_.processes.begin()); };
  connector_.running = host;
  dialogs_.ExpectYesNo(kMoreInstances, true);
  EXPECT_TRUE(Prepare());
  EXPECT_EQ(host->quitCalls, 2);
  EXPECT_EQ(events_.yields, 2);
  // The helper that outlived its hosts is ended after the loop.
  EXPECT_EQ(RemainingNames(), std::vector<std::string>{"explorer.exe"});
}

TEST_F(PrepareHostTest, AnUnreachableInstanceAmongSeveralIsEnded) {
  Processes({"Inventor.exe", "Inventor.exe", "DBXBRIDGE.EXE"});
  dialogs_.ExpectYesNo(kMoreInstances, true);
  EXPECT_TRUE(Prepare());
  EXPECT_TRUE(RemainingNames().empty());
  EXPECT_EQ(events_.yields, 1);
}

TEST_F(PrepareHostTest, AnInstanceThatNeverQuitsIsEndedAfterABoundedWait) {
  Processes({"Inventor.exe", "Inventor.exe"});
  auto host = std::make_shared<FakeSessionHost>();  // quits, but its process stays
  connector_.running = host;
  dialogs_.ExpectYesNo(kMoreInstances, true);
  EXPECT_TRUE(Prepare());
  EXPECT_EQ(host->quitCalls, 20);
  EXPECT_TRUE(RemainingNames().empty());
}

TEST_F(PrepareHostTest, NoToSeveralInstancesStopsTheRun) {
  Processes({"Inventor.exe", "Inventor.exe"});
  dialogs_.ExpectYesNo(kMoreInstances, false);
  EXPECT_FALSE(Prepare());
  EXPECT_EQ(table_.terminated.size(), 0u);
}

TEST_F(PrepareHostTest, OneUnreachableInstanceIsEndedWhenTheUserAgrees) {
  Processes({"Inventor.exe", "DBXBRI~1.EXE", "BackAHL.exe", "notepad.exe"});
  dialogs_.ExpectYesNo(kUnreachable, true);
  EXPECT_TRUE(Prepare());
  EXPECT_EQ(table_.terminated, (std::vector<std::int64_t>{100, 101, 102}));
  EXPECT_EQ(RemainingNames(), std::vector<std::string>{"notepad.exe"});
}

TEST_F(PrepareHostTest, OneUnreachableInstanceAndNoStopsTheRun) {
  Processes({"Inventor.exe"});
  dialogs_.ExpectYesNo(kUnreachable, false);
  EXPECT_FALSE(Prepare());
  EXPECT_EQ(RemainingNames(), std::vector<std::string>{"Inventor.exe"});
}

TEST_F(PrepareHostTest, OpenDocumentsAreClosedWithTheHostsDefaultSaveRule) {
  Processes({"Inventor.exe"});
  auto host = std::make_shared<FakeSessionHost>();
  host->open = {7, 8};
  connector_.running = host;
  dialogs_.ExpectYesNo(kOpenDocuments, true);
  EXPECT_TRUE(Prepare());
  EXPECT_TRUE(host->open.empty());
  EXPECT_EQ(host->closeArguments, (std::vector<std::optional<bool>>{std::nullopt, std::nullopt}));
}

TEST_F(PrepareHostTest, ADocumentThatWillNotCloseStopsTheRun) {
  Processes({"Inventor.exe"});
  auto host = std::make_shared<FakeSessionHost>();
  host->open = {7, 8};
  host->refuseClose = {7};
  connector_.running = host;
  dialogs_.ExpectYesNo(kOpenDocuments, true).ExpectMessage("Could not close documents");
  EXPECT_FALSE(Prepare());
  EXPECT_EQ(host->open, std::vector<std::uint64_t>{7});
}

TEST_F(PrepareHostTest, OpenDocumentsStayWhenTheUserSaysNo) {
  Processes({"Inventor.exe"});
  auto host = std::make_shared<FakeSessionHost>();
  host->open = {7};
  connector_.running = host;
  dialogs_.ExpectYesNo(kOpenDocuments, false);
  EXPECT_TRUE(Prepare());
  EXPECT_EQ(host->open, std::vector<std::uint64_t>{7});
}

TEST_F(PrepareHostTest, AHostWithoutDocumentsIsReadyWithoutAQuestion) {
  Processes({"Inventor.exe"});
  connector_.running = std::make_shared<FakeSessionHost>();
  EXPECT_TRUE(Prepare());
}

TEST(GetOrStartHost, PrefersTheRunningHostThenStartsOne) {
  FakeConnector connector;
  std::shared_ptr<host::Application> host = std::make_shared<FakeSessionHost>();
  EXPECT_FALSE(GetOrStartHost(connector, host));
  EXPECT_EQ(host, nullptr);

  connector.create = std::make_shared<FakeSessionHost>();
  EXPECT_TRUE(GetOrStartHost(connector, host));
  EXPECT_EQ(host, connector.create);
  EXPECT_EQ(connector.createCalls, 2);

  // Now it runs: the next call finds it instead of starting another.
  EXPECT_TRUE(GetOrStartHost(connector, host));
  EXPECT_EQ(host, connector.create);
  EXPECT_EQ(connector.createCalls, 2);
}

}  // namespace
}  // namespace korrin
