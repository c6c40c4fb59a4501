// korrin-batch against the stand-in host in its own process, when that
// process crashes, is killed, stops answering or cannot be started.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "e2e/BatchFixture.h"
#include "platform/linux/HostProcessLauncher.h"
#include "platform/linux/ProcFiles.h"
#include "support/RecordingEventPump.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Converted;
using testing::Document;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

class HostProcessTest : public testing::BatchFixture {
 protected:
  HostProcessTest() { fs::create_directories(folder_ / "docs"); }

  std::string Doc(const std::string& name) const { return (folder_ / "docs" / name).string(); }
  std::string HostProgram() const { return (folder_ / "host/Inventor/Bin/Inventor.exe").string(); }

  // Sends the signal to every host that runs now.
  void SignalHosts(int signal) const {
    for (const pid_t pid : LiveHosts()) ::kill(pid, signal);
  }
};

// The recovery's lines for a host that went away while it opened the file.
Lines HostGoneOnOpen(const std::string& source, const std::string& output) {
  return {"Opening: " + source,
          "Error opening: " + source + "  The RPC server is unavailable.",
          "Retrying to reactivate Inventor...",
          "Error closing Inventor gracefully...",
          "The RPC server is unavailable.",
          "Trying to reopen last failed document..",
          "Checking document references...",
          "Exporting document: " + output,
          "Closing document(s)"};
}

TEST_F(HostProcessTest, AHostThatCrashesOnAnOpenIsReplacedByANewProcessAndTheRunGoesOn) {
  const std::string names = "abcdefghij";
  std::vector<Lines> entries;
  for (const char letter : names) {
    const std::string name = std::string(1, letter) + ".ipt";
    folder_.Write("docs/" + name, Document("part", letter == 'd' ? "crash-first-open\r\n" : ""));
    const std::string output = Out(std::string(1, letter) + ".SAT");
    entries.push_back(letter == 'd' ? HostGoneOnOpen(Doc(name), output) : Converted(Doc(name), output));
  }
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {(folder_ / "docs").string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  Lines expected = kStarted;
  for (const Lines& entry : entries) expected.insert(expected.end(), entry.begin(), entry.end());
  expected.insert(expected.end(), {"Ready", "Summary: 10 converted, 0 skipped, 0 failed"});
  EXPECT_EQ(SplitLines(run.out), expected);
  for (const char letter : names) EXPECT_TRUE(fs::is_regular_file(Out(std::string(1, letter) + ".sat"))) << letter;

  // The host that crashed left its socket; the next look for a running host
  // removed it. What runs now is the new host, from the installation.
  const std::vector<pid_t> live = LiveHosts();
  ASSERT_EQ(live.size(), 1u);
  EXPECT_EQ(Hosts(), live);
  EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(live[0]) + "/exe"), fs::path(HostProgram()));
}

TEST_F(HostProcessTest, AHostKilledWhileItSavesFailsThatEntryAndIsRestartedForTheNext) {
  folder_.Write("docs/a.ipt", Document("part"));
  folder_.Write("docs/b-slow.ipt", Document("part", "hang-every-save 20000\r\n"));
  folder_.Write("docs/c.ipt", Document("part"));
  const testing::ProgramRun run =
      BatchActing({"--import", "*.IPT", "--export", "*.SAT", "--export-folder", Out(""), "--summary",
                   (folder_ / "summary.csv").string(), (folder_ / "docs").string()},
                  "Exporting document: " + Out("b-slow.SAT"), [this](pid_t) { SignalHosts(SIGKILL); });
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, Converted(Doc("a.ipt"), Out("a.SAT")),
                    {"Opening: " + Doc("b-slow.ipt"), "Checking document references...",
                     "Exporting document: " + Out("b-slow.SAT"), "Error saving: The RPC server is unavailable.",
                     "Inventor could not be asked whether it is idle (The RPC server is unavailable.); restarting "
                     "it before the next document",
                     "Closing document(s)"},
                    Converted(Doc("c.ipt"), Out("c.SAT")),
                    {"Ready", "Summary: 2 converted, 0 skipped, 1 failed"}}));
  EXPECT_FALSE(fs::exists(Out("b-slow.sat")));
  EXPECT_TRUE(fs::is_regular_file(Out("c.sat")));
  EXPECT_EQ(LiveHosts().size(), 1u);
}

TEST_F(HostProcessTest, AHostThatStopsAnsweringIsEndedAtTheCallsDeadline) {
  // The host stops answering inside the first open, not at a moment a
  // signal from here would hit.
  folder_.Write("docs/a.ipt", Document("part", "hang-first-open forever\r\n"));
  folder_.Write("docs/b.ipt", Document("part"));
  std::vector<pid_t> hung;
  const auto start = std::chrono::steady_clock::now();
  const testing::ProgramRun run =
      BatchActing({"--import", "*.IPT", "--export", "*.SAT", "--export-folder", Out(""), "--host-timeout", "2",
                   "--call-timeout", "2", "--summary", (folder_ / "summary.csv").string(), (folder_ / "docs").string()},
                  "Opening: " + Doc("a.ipt"), [&](pid_t) { hung = LiveHosts(); });
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + Doc("a.ipt"), "Error opening: " + Doc("a.ipt") + "  The host did not answer within 2 s",
                     "Retrying to reactivate Inventor...", "Error closing Inventor gracefully...",
                     "The host did not answer within 2 s", "Trying to reopen last failed document..",
                     "Checking document references...", "Exporting document: " + Out("a.SAT"),
                     "Closing document(s)"},
                    Converted(Doc("b.ipt"), Out("b.SAT")),
                    {"Ready", "Summary: 2 converted, 0 skipped, 0 failed"}}));
  // The hung host was ended, not waited for: the run took a call's
  // deadline and a restart, far less than the 20 s it is allowed here.
  ASSERT_EQ(hung.size(), 1u);
  const auto status = ReadProcessStatus(hung[0]);
  EXPECT_TRUE(!status || IsEndedState(status->state));
  EXPECT_LT(took, std::chrono::seconds(20));
}

TEST_F(HostProcessTest, AHostProgramThatIsMissingOrEndsAtItsStartEndsTheProgramBeforeTheRun) {
  folder_.Write("docs/a.ipt", Document("part"));
  fs::remove(HostProgram());
  testing::ProgramRun run = Export("*.IPT", "*.SAT", {(folder_ / "docs").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(SplitLines(run.out),
            (Lines{"Checking Inventor Application, Export Formats and Settings", "Starting Inventor",
                   "Summary: 0 converted, 0 skipped, 0 failed, 1 not reached"}));
  EXPECT_NE(run.err.find("Could not start Inventor"), std::string::npos) << run.err;

  folder_.Write("host/Inventor/Bin/Inventor.exe", "#!/bin/sh\nexit 3\n");
  fs::permissions(HostProgram(), fs::perms::owner_all);
  run = Export("*.IPT", "*.SAT", {(folder_ / "docs").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("Could not start Inventor"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(Out("a.sat")));
}

TEST_F(HostProcessTest, AHostThatCannotBeRestartedInTheRunEndsItAndFailsTheEntry) {
  folder_.Write("docs/a.ipt", Document("part", "crash-first-open\r\n"));
  folder_.Write("docs/b.ipt", Document("part"));
  const testing::ProgramRun run =
      BatchActing({"--import", "*.IPT", "--export", "*.SAT", "--export-folder", Out(""), "--summary",
                   (folder_ / "summary.csv").string(), (folder_ / "docs").string()},
                  "Inventor started", [this](pid_t) { fs::remove(HostProgram()); });
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + Doc("a.ipt"), "Error opening: " + Doc("a.ipt") + "  The RPC server is unavailable.",
                     "Retrying to reactivate Inventor...", "Error closing Inventor gracefully...",
                     "The RPC server is unavailable.", "Could not restart Inventor, exiting",
                     "Summary: 0 converted, 0 skipped, 1 failed, 1 not reached"}}));
  EXPECT_EQ(Summary(), "path,outcome,reason\r\n" + Doc("a.ipt") + ",failed,\"Could not restart Inventor, exiting\"\r\n" +
                           Doc("b.ipt") + ",not reached,\r\n");
}

TEST_F(HostProcessTest, AnInterruptWhileACallHangsEndsTheRunAtTheCallsDeadline) {
  folder_.Write("docs/a.ipt", Document("part", "hang-every-save forever\r\n"));
  folder_.Write("docs/b.ipt", Document("part"));
  const auto start = std::chrono::steady_clock::now();
  const testing::ProgramRun run =
      BatchActing({"--import", "*.IPT", "--export", "*.SAT", "--export-folder", Out(""), "--host-timeout", "3",
                   "--summary", (folder_ / "summary.csv").string(), (folder_ / "docs").string()},
                  "Exporting document: " + Out("a.SAT"), [](pid_t batch) { ::kill(batch, SIGINT); });
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(run.exitCode, 2) << run.err;
  // The save is not cut short: it fails at its deadline, and then the run
  // ends, the next entry not reached.
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + Doc("a.ipt"), "Checking document references...",
                     "Exporting document: " + Out("a.SAT"), "Aborting...",
                     "Error saving: The host did not answer within 3 s",
                     "Inventor could not be asked whether it is idle (The host did not answer within 3 s); "
                     "restarting it before the next document",
                     "Closing document(s)", "Ready", "Summary: 0 converted, 0 skipped, 1 failed, 1 not reached"}}));
  EXPECT_GE(took, std::chrono::seconds(3));
  EXPECT_LT(took, std::chrono::seconds(20));
}

// Gives this process the environment of the test's runs, for the hosts it
// starts itself, and takes it away again.
class RunEnvironment {
 public:
  explicit RunEnvironment(const Lines& entries) {
    for (const std::string& entry : entries) {
      const std::size_t equals = entry.find('=');
      names_.push_back(entry.substr(0, equals));
      ::setenv(names_.back().c_str(), entry.substr(equals + 1).c_str(), 1);
    }
  }
  ~RunEnvironment() {
    for (const std::string& name : names_) ::unsetenv(name.c_str());
  }

 private:
  std::vector<std::string> names_;
};

TEST_F(HostProcessTest, TwoHostsAtTheStartAreBothEndedWhenTheUserAgrees) {
  folder_.Write("docs/a.ipt", Document("part"));
  // Hosts another program started, in this test's installation and folder.
  const RunEnvironment environment(BatchEnvironment());
  testing::RecordingEventPump events;
  HostProcessLauncher launcher(events);
  std::vector<pid_t> earlier;
  for (int i = 0; i < 2; ++i) {
    auto started = launcher.Start(HostProgram(), {}, (folder_ / "host/Inventor/Bin/Inventor.log").string());
    ASSERT_TRUE(started) << started.failure().description;
    earlier.push_back(started.value());
  }
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {(folder_ / "docs").string()}, {"--yes"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("[question] More active instances of Inventor has been detected ( 2 )\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, Converted(Doc("a.ipt"), Out("a.SAT")), {"Ready", "Summary: 1 converted, 0 skipped, 0 failed"}}));
  for (const pid_t pid : earlier) EXPECT_TRUE(launcher.WaitForEnd(pid, std::chrono::seconds(5))) << pid;
  const std::vector<pid_t> live = LiveHosts();
  ASSERT_EQ(live.size(), 1u);
  EXPECT_NE(live[0], earlier[0]);
  EXPECT_NE(live[0], earlier[1]);
}

TEST_F(HostProcessTest, AutocadRunsInAProcessOfItsOwnThatLaterRunsFindOrReplace) {
  const std::string settings = (folder_ / "dwgout.ini").string();
  fs::copy_file(folder_ / "host" / "Translator Settings" / "dwgout.ini", settings);
  const std::string shaft = Sample("drawings/stepped-shaft.idw");
  const std::string dwg = Out("stepped-shaft.dwg");
  const std::string finished = "\r\nlineweight-display off\r\nupdated-before-save yes\r\nsaved-by AutoCAD\r\n";
  const auto exportShaft = [&] {
    fs::remove(dwg);
    const testing::ProgramRun run = Export("*.IDW", "*.DWG", {shaft}, {"--export-ini", settings, "--strip-lineweights"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.ends_with("Ready\nSummary: 1 converted, 0 skipped, 0 failed\n")) << run.out;
    EXPECT_TRUE(Read(dwg).ends_with(finished)) << Read(dwg);
  };

  // The first run starts AutoCAD from its installation, and leaves it
  // running, as it leaves the host.
  exportShaft();
  const std::vector<pid_t> first = LiveAcads();
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(first[0]) + "/exe"), folder_ / "host/AutoCAD/acad.exe");
  EXPECT_EQ(LiveHosts().size(), 1u);

  // The next run finishes its drawing in that AutoCAD.
  exportShaft();
  EXPECT_EQ(LiveAcads(), first);

  // Once it has gone, a run starts another.
  ::kill(first[0], SIGKILL);
  for (int turn = 0; turn < 1000 && !LiveAcads().empty(); ++turn) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  exportShaft();
  const std::vector<pid_t> second = LiveAcads();
  ASSERT_EQ(second.size(), 1u);
  EXPECT_NE(second[0], first[0]);
  EXPECT_EQ(Hosts(AcadsFolder()), second);
}

}  // namespace
}  // namespace korrin
