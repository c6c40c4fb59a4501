#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "EngineFixture.h"
#include "engine/BatchRun.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"
#include "host/HostInstallation.h"
#include "support/ShellLinkBytes.h"

namespace korrin {
namespace {

constexpr const char* kParts = "Inventor Part Files (*.IPT)";
constexpr const char* kStep = "STEP Files (*.STP)";

class BatchRunTest : public testing::EngineFixture {
 protected:
  void SetUp() override {
    (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey), "");
    options_.Replace({"[EXPORTOPTIONS]", "STPApplicationProtocol=True"});
    std::filesystem::create_directories(folder_ / "out");
    inputs_.importCaption = kParts;
    inputs_.exportCaption = kStep;
    inputs_.useExportFolder = true;
    inputs_.exportFolder = (folder_ / "out").string() + "/";
    inputs_.projectFile = (folder_ / "default.ipj").string();
  }

  std::string PartFile(const std::string& name, standin::StandinDocument part = Part()) {
    part.geometry = standin::BrepText(standin::MakeWasher().value());
    const std::string path = Write("in/" + name, part);
    EXPECT_TRUE(list_.Add(path));
    return path;
  }

  RunResult Run() {
    RunEnvironment environment{connector_, processes_, registry_, dialogs_,   events_, view_,
                               abort_,     options_,   kTag,      "7.0",      "/opt/korrin", limit_};
    return StartRun(list_, inputs_, environment);
  }

  // From the first yield after a log line that starts so, the registry names
  // a release no host is installed for, so every later start of the host
  // fails; the clock moves on at each yield, so the run's waits end.
  void BreakInstallationAfterLine(std::string prefix) {
    events_.onYield = [this, prefix = std::move(prefix)](int) {
      Advance(std::chrono::milliseconds(10));
      if (!view_.lines.empty() && view_.lines.back().starts_with(prefix)) {
        (void)registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion",
                                           std::int32_t{7});
      }
    };
  }

  std::vector<std::string> Opening() const {
    return {"Checking Inventor Application, Export Formats and Settings", "Starting Inventor", "Inventor started",
            "Watcher started"};
  }
  std::string Out(const std::string& name) const { return (folder_ / "out" / name).string(); }

  ConversionList list_;
  RunInputs inputs_;
};

TEST_F(BatchRunTest, ExportsEveryEntryIntoTheExportFolder) {
  const std::string a = PartFile("a.ipt");
  const std::string b = PartFile("b.rev2.ipt");
  const RunResult result = Run();
  std::vector<std::string> expected = Opening();
  for (const auto& [path, output] : {std::pair{a, Out("a")}, std::pair{b, Out("b")}}) {
    expected.insert(expected.end(), {"Opening: " + path, "Checking document references...",
                                     "Exporting document: " + output + ".STP", "Closing document(s)"});
  }
  expected.push_back("Ready");
  EXPECT_EQ(view_.lines, expected);
  EXPECT_TRUE(result.orderlyEnd);
  EXPECT_TRUE(std::filesystem::exists(Out("a.stp")));
  EXPECT_TRUE(std::filesystem::exists(Out("b.stp")));
  ASSERT_EQ(result.entries.size(), 2u);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::Converted);
  EXPECT_EQ(inputs_.exportFolder, (folder_ / "out").string());
  EXPECT_EQ(view_.fileCounter, "2 of 2 Files");
  ASSERT_FALSE(view_.progress.empty());
  EXPECT_EQ(view_.progress.back().barValue, 100);
  EXPECT_FALSE(inputs_.selected);
  // Each entry is selected while the run works on it, and only then.
  EXPECT_EQ(view_.listSelection, (std::vector<std::string>{"select 0", "deselect 0", "select 1", "deselect 1"}));
  // The watcher was started from the program folder and ended with the run.
  ASSERT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(processes_.starts[0].program, "/opt/korrin/Tembrel.exe");
  EXPECT_TRUE(processes_.processes.empty());
}

TEST_F(BatchRunTest, BackupsNewerReleasesAndBrokenReferencesAreSkipped) {
  standin::StandinDocument newer = Part();
  newer.release = {9, 0};
  const std::string future = PartFile("future.ipt", newer);
  const std::string backup = PartFile("OLDVERSIONS/old.ipt");
  standin::StandinDocument assembly = Part();
  assembly.type = standin::DocumentType::Assembly;
  assembly.references = {{"missing.ipt", std::nullopt}};
  const std::string broken = Write("in/broken.iam", assembly);
  ASSERT_TRUE(list_.Add(broken));
  inputs_.importCaption = "Inventor Assembly Files (*.IAM)";
  const RunResult result = Run();
  std::vector<std::string> expected = Opening();
  expected.insert(expected.end(), {"Opening: " + broken, "Checking document references...",
                                   "Error resolving: " + (folder_ / "in/missing.ipt").string(),
                                   "Error fully resolving document, skipping...", "Closing document(s)",
                                   "Unrecognized Inventorversion, skipping...", "Closing document(s)",
                                   "Backup of " + backup + ".  Skipping...", "Closing document(s)", "Ready"});
  EXPECT_EQ(view_.lines, expected);
  ASSERT_EQ(result.entries.size(), 3u);
  const std::pair<std::string, std::string> decided[] = {
      {broken, "Error fully resolving document, skipping..."},
      {future, "Unrecognized Inventorversion, skipping..."},
      {backup, "Backup of " + backup + ".  Skipping..."}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(result.entries[i].path, decided[i].first);
    EXPECT_EQ(result.entries[i].outcome, EntryOutcome::Skipped) << decided[i].first;
    EXPECT_EQ(result.entries[i].reason, decided[i].second);
  }
}

#ifndef _WIN32
// The list is made before the run; by an entry's turn its file may be gone
// or something else may stand in its place. Each such entry fails with the
// reason, without a restart of the host, and the run goes on.
TEST_F(BatchRunTest, ASourceGoneOrReplacedBeforeItsTurnFailsItsEntryAndTheRunGoesOn) {
  namespace fs = std::filesystem;
  const std::string removed = PartFile("a-removed.ipt");
  const std::string folder = PartFile("b-folder.ipt");
  const std::string fifo = PartFile("c-fifo.ipt");
  const std::string device = PartFile("d-device.ipt");
  const std::string fine = PartFile("e-fine.ipt");
  fs::remove(removed);
  fs::remove(folder);
  fs::create_directory(folder);
  fs::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::remove(device);
  fs::create_symlink("/dev/null", device);
  const RunResult result = Run();

  const std::pair<std::string, std::string> failed[] = {{removed, "No such file or directory"},
                                                        {folder, "Is a directory"},
                                                        {fifo, "Is a FIFO, not a regular file"},
                                                        {device, "Is a device, not a regular file"}};
  std::vector<std::string> expected = Opening();
  for (const auto& [path, reason] : failed) {
    expected.insert(expected.end(), {"Error opening: " + path + "  " + reason, "Closing document(s)"});
  }
  expected.insert(expected.end(), {"Opening: " + fine, "Checking document references...",
                                   "Exporting document: " + Out("e-fine") + ".STP", "Closing document(s)", "Ready"});
  EXPECT_EQ(view_.lines, expected);
  EXPECT_TRUE(result.orderlyEnd);
  ASSERT_EQ(result.entries.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(result.entries[i].outcome, EntryOutcome::Failed) << failed[i].first;
    EXPECT_EQ(result.entries[i].reason, "Error opening: " + failed[i].first + "  " + failed[i].second);
  }
  EXPECT_EQ(result.entries[4].outcome, EntryOutcome::Converted);
  EXPECT_TRUE(fs::is_regular_file(Out("e-fine.stp")));
}
#endif

TEST_F(BatchRunTest, AFirstOpenThatFailsRestartsTheHostAndReopens) {
  standin::StandinDocument flaky = Part();
  flaky.faults.failFirstOpen = standin::StandinFault{-2147467259, "The host stopped answering."};
  const std::string path = PartFile("flaky.ipt", flaky);
  const RunResult result = Run();
  std::vector<std::string> expected = Opening();
  expected.insert(expected.end(),
                  {"Opening: " + path, "Error opening: " + path + "  The host stopped answering.\rRetrying to reactivate Inventor...",
                   "Trying to reopen last failed document..", "Checking document references...",
                   "Exporting document: " + Out("flaky") + ".STP", "Closing document(s)", "Ready"});
  EXPECT_EQ(view_.lines, expected);
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Converted);
}

// Folders that differ only in letter case are two folders here: the run
// opens the file the list names, not its namesake.
TEST_F(BatchRunTest, OpensTheEntryAsTheListHoldsIt) {
  standin::StandinDocument locked = Part();
  locked.faults.failEveryOpen = standin::StandinFault{5, "The file is locked."};
  Write("in/proj/a.ipt", locked);
  const std::string path = PartFile("Proj/a.ipt");
  const RunResult result = Run();
  std::vector<std::string> expected = Opening();
  expected.insert(expected.end(), {"Opening: " + path, "Checking document references...",
                                   "Exporting document: " + Out("a") + ".STP", "Closing document(s)", "Ready"});
  EXPECT_EQ(view_.lines, expected);
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Converted);
}

TEST_F(BatchRunTest, ADocumentThatNeverOpensEndsTheRunAtOnce) {
  standin::StandinDocument locked = Part();
  locked.faults.failEveryOpen = standin::StandinFault{5, "The file is locked."};
  const std::string path = PartFile("locked.ipt", locked);
  PartFile("next.ipt");
  const RunResult result = Run();
  EXPECT_FALSE(result.orderlyEnd);
  EXPECT_EQ(view_.lines.back(), "Error reopening. Exiting... The file is locked.");
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::NotReached);
  EXPECT_EQ(inputs_.selected, std::optional<std::size_t>(0));
}

// The document is gone when its references are to be checked: the failed
// read of the active document is the open's failure, and nothing is closed.
TEST_F(BatchRunTest, AnActiveDocumentThatCannotBeReadFailsTheOpen) {
  const std::string path = PartFile("a.ipt");
  events_.onYield = [this](int) {
    Advance(std::chrono::milliseconds(10));
    if (view_.lines.empty() || view_.lines.back() != "Checking document references...") return;
    auto running = connector_.GetRunning();
    ASSERT_TRUE(running.ok());
    if (auto active = running.value()->ActiveDocument()) (void)running.value()->documents().Close(active.value(), true);
  };
  const RunResult result = Run();
  std::vector<std::string> expected = Opening();
  expected.insert(expected.end(), {"Opening: " + path, "Checking document references...",
                                   "Error opening: " + path + ":   No document is active.", "Ready"});
  EXPECT_EQ(view_.lines, expected);
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_FALSE(std::filesystem::exists(Out("a.stp")));
}

// The run applies the project a shortcut names and hands the target back.
TEST_F(BatchRunTest, AProjectShortcutIsReplacedByItsTarget) {
  PartFile("a.ipt");
  const std::string target = (folder_ / "projects" / "demo.ipj").string();
  folder_.Write("Demo.lnk", testing::MakeLink({target, "", u"", false}));
  inputs_.projectFile = (folder_ / "Demo.lnk").string();
  EXPECT_TRUE(Run().orderlyEnd);
  EXPECT_EQ(inputs_.projectFile, target);
}

TEST_F(BatchRunTest, ARunContinuesFromTheSelectedEntryAndAnAbortLeavesItsPlace) {
  PartFile("a.ipt");
  PartFile("b.ipt");
  PartFile("c.ipt");
  inputs_.selected = 1;
  dialogs_.ExpectYesNo("Continue from selected document ? ( selected is not the first in the list ) ", true);
  // The user clicks Abort while the second entry is exported.
  events_.onYield = [this](int) {
    Advance(std::chrono::milliseconds(10));
    if (!view_.lines.empty() && view_.lines.back().starts_with("Exporting document:")) abort_.Raise();
  };
  const RunResult result = Run();
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::NotReached);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::Converted);
  EXPECT_EQ(result.entries[2].outcome, EntryOutcome::NotReached);
  EXPECT_EQ(inputs_.selected, std::optional<std::size_t>(1));
  EXPECT_FALSE(abort_.IsRaised());
  EXPECT_EQ(view_.lines.back(), "Ready");
}

TEST_F(BatchRunTest, AHostThatStaysBusyFailsTheEntryAndIsRestarted) {
  standin::StandinDocument slow = Part();
  slow.faults.busyAfterSaveMilliseconds = 3'600'000;
  PartFile("slow.ipt", slow);
  const std::string next = PartFile("z-next.ipt");
  const RunResult result = Run();
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::Converted);
  EXPECT_TRUE(std::filesystem::exists(Out("z-next.stp")));
}

// The host's process ends while the run waits for it to become idle: the
// wait ends at once, not at its time limit, and a new host takes the next
// entry.
TEST_F(BatchRunTest, AHostThatEndsWhileTheRunWaitsForItIsRestartedAtOnce) {
  standin::StandinDocument slow = Part();
  slow.faults.busyAfterSaveMilliseconds = 3'600'000;
  PartFile("slow.ipt", slow);
  PartFile("z-next.ipt");
  int waits = 0;
  events_.onYield = [this, &waits](int) {
    Advance(std::chrono::milliseconds(10));
    if (!view_.lines.empty() && view_.lines.back().starts_with("Exporting document:") && ++waits == 1) {
      connector_.EndHostProcess();
    }
  };
  const RunResult result = Run();
  const std::string line =
      "Inventor could not be asked whether it is idle (The object invoked has disconnected from its clients.); "
      "restarting it before the next document";
  EXPECT_EQ(std::count(view_.lines.begin(), view_.lines.end(), line), 1) << ::testing::PrintToString(view_.lines);
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[0].reason, line);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::Converted);
  EXPECT_TRUE(std::filesystem::exists(Out("z-next.stp")));
  EXPECT_TRUE(result.orderlyEnd);
}

// The host's installation breaks while the run waits for a busy host, so
// the restart after the wait cannot start one.
TEST_F(BatchRunTest, AHostThatCannotBeRestartedAfterAWaitEndsTheRun) {
  standin::StandinDocument slow = Part();
  slow.faults.busyAfterSaveMilliseconds = 3'600'000;
  PartFile("slow.ipt", slow);
  PartFile("z-next.ipt");
  BreakInstallationAfterLine("Exporting document:");
  const RunResult result = Run();
  EXPECT_FALSE(result.orderlyEnd);
  ASSERT_GE(view_.lines.size(), 3u);
  const std::vector<std::string> last(view_.lines.end() - 3, view_.lines.end());
  EXPECT_EQ(last, (std::vector<std::string>{
                      "Waited 60 s for Inventor to become idle; restarting it before the next document",
                      "Closing document(s)", "Could not restart Inventor, exiting"}));
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[0].reason,
            "Waited 60 s for Inventor to become idle; restarting it before the next document");
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::NotReached);
  EXPECT_FALSE(std::filesystem::exists(Out("z-next.stp")));
}

// The recovery's restart fails: the document was never written.
TEST_F(BatchRunTest, AnEntryTheRunExitsInIsFailedWithTheLineThatEndedIt) {
  standin::StandinDocument flaky = Part();
  flaky.faults.failFirstOpen = standin::StandinFault{-2147467259, "The host stopped answering."};
  PartFile("flaky.ipt", flaky);
  PartFile("z-next.ipt");
  BreakInstallationAfterLine("Error opening:");
  const RunResult result = Run();
  EXPECT_FALSE(result.orderlyEnd);
  EXPECT_EQ(view_.lines.back(), "Could not restart Inventor, exiting");
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[0].reason, "Could not restart Inventor, exiting");
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::NotReached);
}

TEST_F(BatchRunTest, ASatVersionTheRegistryRefusesEndsTheRunInOrder) {
  PartFile("a.ipt");
  PartFile("b.ipt");
  inputs_.exportCaption = "SAT Files (*.SAT)";
  options_.Replace({"[EXPORTOPTIONS]", "SATSaveACISVersion=7"});
  // The host's SAT key is missing, so the version cannot be written.
  dialogs_.ExpectMessage("Couldn't set AcisVersion in registry database");
  const RunResult result = Run();
  EXPECT_TRUE(result.orderlyEnd);
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::NotReached);
  EXPECT_EQ(view_.lines.back(), "Ready");
  EXPECT_FALSE(std::filesystem::exists(Out("a.sat")));
}

TEST_F(BatchRunTest, AnImportThatIsNotConfirmedOrNotPreparedEndsBeforeTheHostStarts) {
  const std::string file = (folder_ / "in" / "plan.dwg").string();
  std::filesystem::create_directories(folder_ / "in");
  std::ofstream(file) << "not read";
  ASSERT_TRUE(list_.Add(file));
  inputs_.importCaption = "AutoCAD / MDT Files (*.DWG)";
  inputs_.exportCaption = "Inventor Assemblyfile (*.IAM)";
  inputs_.importIniFile = (folder_ / "dwgin.ini").string();
  std::ofstream(inputs_.importIniFile) << "[IMPORT FILE TYPE]\r\nDESTINATION DIRECTORY=/parts\r\n";
  std::ofstream(inputs_.projectFile) << "[Project]\r\nWORKSPACE=/work\r\n";
  dialogs_.ExpectYesNo("Conversion will be as follows:\rFiles specified in the [Files for conversion] window is "
                       "saved in the export folder: " +
                           inputs_.exportFolder +
                           "\rSubassemblies/subparts is placed as specified in the INI-file: /parts/\r\rBe sure to "
                           "include both folders in the Inventor project\r\rContinue? :",
                       false);
  RunResult result = Run();
  EXPECT_TRUE(result.orderlyEnd);
  EXPECT_EQ(view_.lines, (std::vector<std::string>{"Checking Inventor Application, Export Formats and Settings",
                                                   "Ready"}));
  EXPECT_TRUE(processes_.starts.empty()) << "no watcher without a host";
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::NotReached);

  // The healing switches cannot be written where this host has no keys.
  view_.lines.clear();
  inputs_.importCaption = "Iges Files (*.IGS)";
  dialogs_.ExpectMessage("Couldn't read translator import information in registrationdatabase ( Enable Healing ) ");
  result = Run();
  EXPECT_EQ(view_.lines, (std::vector<std::string>{"Checking Inventor Application, Export Formats and Settings",
                                                   "Ready"}));
}

}  // namespace
}  // namespace korrin
