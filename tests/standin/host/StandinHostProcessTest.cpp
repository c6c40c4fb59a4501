#include <fstream>

#include "HostSessionFile.h"
#include "StandinProcessTable.h"
#include "host/ProcessOperations.h"
#include "host/StandinFixture.h"
#include "support/FakeProcessTable.h"

namespace korrin {
namespace {

constexpr const char* kStlKey = "\\System\\Preferences\\STL Output";
constexpr const char* kPartKey = "\\System\\Preferences\\Part";

// An installed stand-in host (one with a program folder) and a second
// program that reaches it through a connector of its own.
class StandinHostProcessTest : public testing::StandinFixture {
 protected:
  StandinHostProcessTest() {
    std::filesystem::create_directories(folder_ / "bin");
    (void)registry_.CreateRegistryKey(RegistryRoot::LocalMachine, kHostAppPathsKey, "");
    (void)registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostAppPathsKey, kHostAppPathValueName,
                                       (folder_ / "bin").string());
    SetUser(kStlKey, "Medium Resolution", std::string("6300"));
    SetUser(kPartKey, "AutoStitchAndPromote", std::int32_t{1});
    SetUser("\\Translators\\IgesTranslator", "EnableHealing", std::int32_t{0});
  }

  void SetUser(const std::string& key, const std::string& name, const RegistryWriteValue& value) {
    (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, key), "");
    ASSERT_TRUE(registry_.WriteRegistryValue(RegistryRoot::CurrentUser, HostUserKey(kTag, key), name, value));
  }

  std::string Session() const { return (folder_ / "bin" / standin::kHostSessionFileName).string(); }

  standin::StandinSettings SessionSettings() {
    auto read = standin::ReadHostSession(Session(), {});
    EXPECT_TRUE(read.has_value());
    return read.value_or(standin::StandinSettings{});
  }

  testing::FakeProcessTable system_;
  standin::StandinProcessTable processes_{system_, connector_};
};

TEST_F(StandinHostProcessTest, TheHostKeepsWhatItReadAtItsStartUntilItIsStartedAgain) {
  (void)Host();
  EXPECT_EQ(SessionSettings().stlResolutions[1], 6300);
  EXPECT_EQ(SessionSettings().igesImport, (standin::ImportRepair{false, true}));
  EXPECT_EQ(SessionSettings().stepImport, (standin::ImportRepair{false, true}));

  SetUser(kStlKey, "Medium Resolution", std::string("500"));
  SetUser("\\Translators\\IgesTranslator", "EnableHealing", std::int32_t{1});
  // Another program finds the host running, with the values of its start.
  standin::StandinConnector other(registry_, &geometry_);
  auto running = other.GetRunning();
  ASSERT_TRUE(running.ok());
  EXPECT_EQ(SessionSettings().stlResolutions[1], 6300);

  ASSERT_TRUE(running.value()->Quit().ok());
  EXPECT_FALSE(other.HostProcessRuns());
  EXPECT_FALSE(std::filesystem::exists(Session()));
  EXPECT_FALSE(connector_.GetRunning().ok()) << "the first program's instance ended with the host";
  ASSERT_TRUE(other.Create().ok());
  EXPECT_EQ(SessionSettings().stlResolutions[1], 500);
  EXPECT_EQ(SessionSettings().igesImport, (standin::ImportRepair{true, true}));
}

TEST_F(StandinHostProcessTest, TheProcessListShowsTheRunningHostAndEndingItEndsTheHost) {
  system_.processes.push_back({12, "Tembrel.exe"});
  EXPECT_EQ(CountProcesses(processes_, "Inventor.exe"), 0);
  (void)Host();
  EXPECT_EQ(CountProcesses(processes_, "Inventor.exe"), 1);
  EXPECT_TRUE(SetProcessPriority(processes_, "Inventor.exe", "HIGH"));

  KillHostProcesses(processes_);
  EXPECT_EQ(CountProcesses(processes_, "Inventor.exe"), 0);
  EXPECT_FALSE(Host().DocumentCount().ok()) << "calls fail on an ended host";
  EXPECT_FALSE(connector_.GetRunning().ok());
  EXPECT_EQ(processes_.Terminate(standin::StandinProcessTable::kHostPid).failure().number, ESRCH);
  EXPECT_EQ(CountProcesses(processes_, "Tembrel.exe"), 1);
}

TEST_F(StandinHostProcessTest, ADamagedSessionFileMeansNoRunningHost) {
  std::ofstream(Session()) << "KORRIN STAND-IN HOST SESSION\nrelease=7 x\n";
  EXPECT_FALSE(connector_.GetRunning().ok());
  std::ofstream(Session()) << "something else\n";
  EXPECT_FALSE(connector_.GetRunning().ok());
  ASSERT_TRUE(connector_.Create().ok());
  EXPECT_EQ(SessionSettings().release, (standin::StandinRelease{7, 0}));
}

}  // namespace
}  // namespace korrin
