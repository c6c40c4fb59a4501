// A long run against the host in its own process, with faults of every
// kind a run survives planted at random: every entry ends with the one
// outcome its fault gives, and nothing of the host is left behind.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <thread>
#include <string>
#include <vector>

#include "e2e/BatchFixture.h"
#include "host/ChannelApplication.h"
#include "platform/linux/ProcFiles.h"
#include "platform/linux/SocketDispatchChannel.h"
#include "support/RecordingEventPump.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Document;
using testing::Lines;
using testing::SplitLines;

struct PlantedFault {
  const char* line;     // the document line that plants it
  const char* outcome;  // what the run records for its entry
};

// The faults a run survives. Those that strike every open end a run by
// design, at the failed reopen, and have tests of their own.
const std::vector<PlantedFault> kFaults = {
    {"fail-first-open -2147467259 \"Operation failed\"", "converted"},
    {"crash-first-open", "converted"},
    {"hang-first-open forever", "converted"},
    {"exit-first-open 1", "converted"},
    {"busy-after-open 300", "converted"},
    {"busy-after-save 300", "converted"},
    {"fail-every-save -2147467259 \"Operation failed\"", "failed"},
    {"crash-every-save", "failed"},
    {"hang-every-save forever", "failed"},
};

// The processes of the system with the name, ended ones included.
std::vector<pid_t> ProcessesNamed(const std::string& name) {
  std::vector<pid_t> found;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const auto pid = ProcessIdNamed(entry.path().filename().string());
    if (!pid) continue;
    const auto status = ReadProcessStatus(*pid);
    if (status && status->commandName == name) found.push_back(*pid);
  }
  return found;
}

int Documents() {
  const char* count = std::getenv("KORRIN_SOAK_DOCUMENTS");
  return count != nullptr ? std::atoi(count) : 300;
}

class HostSoakTest : public testing::BatchFixture {};

TEST_F(HostSoakTest, EveryEntryEndsWithTheOutcomeItsFaultGivesAndNothingIsLeftBehind) {
  fs::create_directories(folder_ / "docs");
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> percent(0, 99);
  std::uniform_int_distribution<std::size_t> kind(0, kFaults.size() - 1);
  std::map<std::string, std::string> expected;
  std::size_t planted = 0;
  for (int i = 0; i < Documents(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "doc-%04d.ipt", i);
    std::string extra;
    std::string outcome = "converted";
    if (percent(random) < 5) {
      const PlantedFault& fault = kFaults[kind(random)];
      extra = std::string(fault.line) + "\r\n";
      outcome = fault.outcome;
      ++planted;
    }
    folder_.Write(std::string("docs/") + name, Document("part", extra));
    expected[(folder_ / "docs" / name).string()] = outcome;
  }
  ASSERT_GT(planted, 5u);

  const testing::ProgramRun run =
      Export("*.IPT", "*.SAT", {(folder_ / "docs").string()}, {"--host-timeout", "5", "--call-timeout", "5"});
  EXPECT_EQ(run.exitCode, 1) << run.err << run.out.substr(run.out.size() > 3000 ? run.out.size() - 3000 : 0);

  std::map<std::string, std::string> recorded;
  const Lines rows = SplitLines(Summary());
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], "path,outcome,reason\r");
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::size_t comma = rows[i].find(',');
    const std::size_t next = rows[i].find(',', comma + 1);
    ASSERT_NE(next, std::string::npos) << rows[i];
    const std::string path = rows[i].substr(0, comma);
    EXPECT_FALSE(recorded.contains(path)) << "two outcomes for " << path;
    recorded[path] = rows[i].substr(comma + 1, next - comma - 1);
  }
  EXPECT_EQ(recorded, expected);

  // A run leaves its host running; quit it as another client would.
  ASSERT_EQ(Hosts().size(), 1u);
  testing::RecordingEventPump events;
  auto channel = SocketDispatchChannel::Connect(HostsFolder() + "/" + std::to_string(Hosts()[0]),
                                                std::chrono::seconds(5), events);
  ASSERT_TRUE(channel) << channel.failure().description;
  host::ChannelApplication host(channel.value(), {});
  ASSERT_TRUE(host.Quit());
  for (int turn = 0; turn < 1000 && !ProcessesNamed("Inventor.exe").empty(); ++turn) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (const char* program : {"Inventor.exe", "BackAHL.exe", "acad.exe"}) {
    EXPECT_EQ(ProcessesNamed(program), std::vector<pid_t>()) << program;
  }
  EXPECT_EQ(Hosts(), std::vector<pid_t>());
}

}  // namespace
}  // namespace korrin
