#include <gtest/gtest.h>

#include "ModelConnector.h"
#include "engine/BatchRun.h"
#include "engine/EntrySteps.h"
#include "host/ChannelFailures.h"
#include "host/HostInstallation.h"
#include "support/FakeProcessTable.h"
#include "ModelRegistry.h"
#include "settings/PathText.h"
#include "support/FileBytes.h"
#include "support/RecordingEventPump.h"
#include "support/RecordingRunView.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using testing::FileBytes;

constexpr const char* kTag = "RegistryVersion7.0";

// Whole runs against the model host served through the dispatcher, as a
// host in another process is: the log, the outcomes and the files written.
class RunOverModelHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    (void)registry_.CreateRegistryKey(RegistryRoot::LocalMachine, kHostVersionKey, "");
    (void)registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion",
                                       std::string(kTag));
    (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey), "");
    options_.Replace({"[EXPORTOPTIONS]", "STPApplicationProtocol=True", "STPOrganization=Works"});
    std::filesystem::create_directories(folder_ / "in");
    std::filesystem::create_directories(folder_ / "out");
    connector_.throughChannel = true;
    inputs_.importCaption = "Inventor Part Files (*.IPT)";
    inputs_.exportCaption = "STEP Files (*.STP)";
    inputs_.useExportFolder = true;
    inputs_.exportFolder = (folder_ / "out").string() + kNativeSeparator;
    inputs_.projectFile = (folder_ / "default.ipj").string();
    // The clock moves at every read, so no wait of the run lasts.
    auto reads = std::make_shared<HostWaitLimit::Clock::time_point>();
    limit_.limit = std::chrono::seconds(60);
    limit_.now = [reads] { return *reads += std::chrono::seconds(1); };
  }

  std::string Part(const std::string& name) {
    const std::string path = (folder_ / "in" / name).string();
    EXPECT_TRUE(testing::WriteModelFile(path, {"part"}).ok());
    EXPECT_TRUE(list_.Add(path));
    return path;
  }
  std::string Out(const std::string& name) const { return (folder_ / "out" / name).string(); }

  RunResult Run() {
    RunEnvironment environment{connector_, processes_, registry_, dialogs_, events_,       view_,
                               abort_,     options_,   kTag,      "7.0",    "/opt/korrin", limit_};
    return StartRun(list_, inputs_, environment);
  }

  static std::vector<std::string> Exported(const std::string& path, const std::string& output) {
    return {"Opening: " + path, "Checking document references...", "Exporting document: " + output + ".STP",
            "Closing document(s)"};
  }

  // The translator's file names the document as the run opened it.
  static std::string StepFile(const std::string& source) {
    return "Autodesk STEP Translator\ndocument: " + NameToOpen(source) +
           "\nApplicationProtocolType=2\nAuthor=Model User\nAuthorization=\nDescription=\nOrganization=Works\n";
  }

  testing::TemporaryFolder folder_;
  testing::ModelRegistry registry_;
  testing::ModelConnector connector_;
  testing::ScriptedDialogs dialogs_;
  testing::RecordingRunView view_;
  testing::RecordingEventPump events_;
  AbortFlag abort_;
  testing::FakeProcessTable processes_;
  ExportTemplateLines options_;
  HostWaitLimit limit_;
  ConversionList list_;
  RunInputs inputs_;
};

TEST_F(RunOverModelHostTest, PartsBecomeStepFilesWrittenByTheTranslatorWithTheRunsOptions) {
  const std::string a = Part("a.ipt");
  const std::string b = Part("b.ipt");
  const RunResult result = Run();
  std::vector<std::string> expected{"Checking Inventor Application, Export Formats and Settings", "Starting Inventor",
                                    "Inventor started", "Watcher started"};
  for (const auto& [path, output] : {std::pair{a, Out("a")}, std::pair{b, Out("b")}}) {
    const std::vector<std::string> lines = Exported(path, output);
    expected.insert(expected.end(), lines.begin(), lines.end());
  }
  expected.push_back("Ready");
  EXPECT_EQ(view_.lines, expected);
  EXPECT_TRUE(result.orderlyEnd);
  ASSERT_EQ(result.entries.size(), 2u);
  for (const EntryRecord& entry : result.entries) EXPECT_EQ(entry.outcome, EntryOutcome::Converted) << entry.path;
  EXPECT_EQ(FileBytes(Out("a.stp")), StepFile(a));
  EXPECT_EQ(FileBytes(Out("b.stp")), StepFile(b));
  ASSERT_NE(connector_.host(), nullptr);
  EXPECT_EQ(connector_.host()->OpenFileNames(), std::vector<std::string>{});
  EXPECT_EQ(connector_.host()->startUpSettings.size(), 2u);
}

TEST_F(RunOverModelHostTest, AHostThatFailsAnOpenIsRestartedAndTheDocumentReopened) {
  const std::string a = Part("a.ipt");
  const std::string b = Part("b.ipt");
  testing::ModelFile& failing = connector_.files.Describe(b);
  failing.openFailure = host::ServerUnavailable();
  failing.opensFailing = 1;
  const RunResult result = Run();
  std::vector<std::string> expected{"Checking Inventor Application, Export Formats and Settings", "Starting Inventor",
                                    "Inventor started", "Watcher started"};
  const std::vector<std::string> first = Exported(a, Out("a"));
  expected.insert(expected.end(), first.begin(), first.end());
  expected.insert(expected.end(), {"Opening: " + b,
                                   "Error opening: " + b + "  The RPC server is unavailable.\r"
                                   "Retrying to reactivate Inventor...",
                                   "Trying to reopen last failed document..", "Checking document references...",
                                   "Exporting document: " + Out("b") + ".STP", "Closing document(s)", "Ready"});
  EXPECT_EQ(view_.lines, expected);
  EXPECT_EQ(connector_.creates, 2);
  ASSERT_EQ(result.entries.size(), 2u);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::Converted);
  EXPECT_EQ(FileBytes(Out("b.stp")), StepFile(b));
}

TEST_F(RunOverModelHostTest, AFailedExportIsLoggedAndTheRunGoesOn) {
  const std::string a = Part("a.ipt");
  const std::string b = Part("b.ipt");
  connector_.files.Describe(a).exportFailure = Failure{host::kUnspecifiedFailure, "Translation failed"};
  const RunResult result = Run();
  ASSERT_EQ(result.entries.size(), 2u);
  EXPECT_EQ(result.entries[0].outcome, EntryOutcome::Failed);
  EXPECT_EQ(result.entries[1].outcome, EntryOutcome::Converted);
  EXPECT_FALSE(std::filesystem::exists(Out("a.stp")));
  EXPECT_EQ(FileBytes(Out("b.stp")), StepFile(b));
  std::vector<std::string> expected{"Checking Inventor Application, Export Formats and Settings", "Starting Inventor",
                                    "Inventor started", "Watcher started", "Opening: " + a,
                                    "Checking document references...", "Exporting document: " + Out("a") + ".STP",
                                    "Error saving: " + Out("a.stp") + ": Translation failed", "Closing document(s)"};
  const std::vector<std::string> second = Exported(b, Out("b"));
  expected.insert(expected.end(), second.begin(), second.end());
  expected.push_back("Ready");
  EXPECT_EQ(view_.lines, expected);
}

}  // namespace
}  // namespace korrin
