#include "EngineFixture.h"
#include "support/FakeHost.h"
#include "verify/DocumentVerification.h"
#include "verify/ReferenceTree.h"
#include "verify/ValidationReport.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

class DocumentVerificationTest : public testing::EngineFixture {
 protected:
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Indent(int level) { return std::string(static_cast<std::size_t>(level) * 5, ' '); }

  VerificationOutcome Verify(const Lines& files, const std::string& pattern = "*.IAM",
                             const std::string& project = "/p/default.ipj") {
    VerificationPorts ports = Ports();
    return VerifyDocuments(ports, files, pattern, project);
  }
  VerificationPorts Ports() {
    return {connector_, dialogs_, events_, [this](const std::string& line) { lines_.push_back(line); }, {}};
  }
  // The lines written for the files, without the separators and the end.
  Lines Written() const {
    Lines written;
    for (const std::string& line : lines_) {
      if (line.front() != '-' && line != kVerificationFinished) written.push_back(line);
    }
    return written;
  }

  Lines lines_;
};

TEST_F(DocumentVerificationTest, RefusesAnEmptyListOtherFilesAndAMissingProject) {
  const struct {
    Lines files;
    const char* pattern;
    const char* project;
    const char* message;
  } refusals[] = {{{}, "*.IPT", "/p.ipj", "No files to check"},
                  {{"/a.ide"}, "*.IDE", "/p.ipj", "Files must be Inventor documents"},
                  {{"/a.stp"}, "*.STP", "/p.ipj", "Files must be Inventor documents"},
                  {{"/a.ipt"}, "*.ipt", "", "No projectfile specified"}};
  for (const auto& refusal : refusals) {
    lines_.clear();
    dialogs_.ExpectMessage(refusal.message);
    EXPECT_FALSE(Verify(refusal.files, refusal.pattern, refusal.project).started) << refusal.message;
    EXPECT_EQ(lines_, Lines{kVerificationFinished});
  }
}

TEST_F(DocumentVerificationTest, LogsEachFilesStateAndItsTreeIndentedByLevel) {
  Write("a/p.ipt", Part());
  Write("a/b.iam", Assembly({"p.ipt"}));
  standin::StandinDocument top = Assembly({"b.iam", "p.ipt"});
  top.needsMigrating = true;
  top.computeStatus = standin::ComputeStatus::OutOfDate;
  Write("a/top.iam", top);
  const VerificationOutcome outcome = Verify({Path("a/p.ipt"), Path("a/top.iam")});
  EXPECT_EQ(outcome.clean, 2u);
  EXPECT_EQ(lines_, (Lines{std::string(69, '-'), "Verifying " + Path("a/p.ipt"), "Up to date...",
                           "No referenced files...", std::string(69, '-'), "Verifying " + Path("a/top.iam"),
                           "Needs Migrating", "Not up to date...", Indent(1) + Path("a/b.iam"),
                           // Parts are not descended into.
                           Indent(2) + Path("a/p.ipt"), Indent(1) + Path("a/p.ipt"),
                           "Verification finished"}));
}

TEST_F(DocumentVerificationTest, AnyFailureBelowFailsTheFileAndAReaderFailureEndsItsWalk) {
  standin::StandinDocument feature = Part();
  feature.type = standin::DocumentType::DesignElement;
  Write("a/slot.ide", feature);
  Write("a/p.ipt", Part());
  Write("a/features.iam", Assembly({"slot.ide"}));
  // The failed subassembly comes first: a later part must not hide it.
  Write("a/top.iam", Assembly({"features.iam", "p.ipt"}));
  Write("a/broken.iam", Assembly({"p.ipt", "gone.ipt", "features.iam"}));
  const VerificationOutcome outcome = Verify({Path("a/top.iam"), Path("a/broken.iam")});
  EXPECT_EQ(outcome.failed, 2u);
  EXPECT_EQ(Written(),
            (Lines{"Verifying " + Path("a/top.iam"), "Up to date...", Indent(1) + Path("a/features.iam"),
                   Indent(2) + Path("a/slot.ide"), "Error resolving: " + Path("a/features.iam") + "   Assembly",
                   Indent(1) + Path("a/p.ipt"), "Errors...", "Verifying " + Path("a/broken.iam"), "Up to date...",
                   Indent(1) + Path("a/p.ipt"), Indent(1) + Path("a/gone.ipt"), "Errors..."}));
}

TEST_F(DocumentVerificationTest, ASharedSubassemblyIsWrittenAtEachOccurrenceAndReadOnce) {
  Write("s/p.ipt", Part());
  Write("s/shared.iam", Assembly({"p.ipt"}));
  Write("s/left.iam", Assembly({"shared.iam"}));
  Write("s/right.iam", Assembly({"shared.iam", "p.ipt"}));
  Write("s/top.iam", Assembly({"left.iam", "right.iam", "shared.iam"}));
  const std::size_t before = connector_.DocumentReads();
  EXPECT_EQ(Verify({Path("s/top.iam")}).clean, 1u);
  EXPECT_EQ(connector_.DocumentReads() - before, 5u) << "each of the five files once";
  EXPECT_EQ(Written(), (Lines{"Verifying " + Path("s/top.iam"), "Up to date...", Indent(1) + Path("s/left.iam"),
                              Indent(2) + Path("s/shared.iam"), Indent(3) + Path("s/p.ipt"),
                              Indent(1) + Path("s/right.iam"), Indent(2) + Path("s/shared.iam"),
                              Indent(3) + Path("s/p.ipt"), Indent(2) + Path("s/p.ipt"),
                              Indent(1) + Path("s/shared.iam"), Indent(2) + Path("s/p.ipt")}));
}

TEST_F(DocumentVerificationTest, AReferenceCycleEndsWithALineOfItsOwn) {
  Write("c/a.iam", Assembly({"b.iam"}));
  Write("c/b.iam", Assembly({"a.iam"}));
  const VerificationOutcome outcome = Verify({Path("c/a.iam")});
  EXPECT_EQ(outcome.failed, 1u);
  EXPECT_EQ(Written(), (Lines{"Verifying " + Path("c/a.iam"), "Up to date...", Indent(1) + Path("c/b.iam"),
                              Indent(2) + Path("c/a.iam"),
                              "Circular reference: " + Path("c/a.iam") + " refers back to itself through its "
                                                                          "references",
                              "Error resolving: " + Path("c/a.iam") + "   Assembly",
                              "Error resolving: " + Path("c/b.iam") + "   Assembly", "Errors..."}));
}

// Top.iam refers to top.iam: another file where letter case tells files
// apart, the file itself where case is ignored.
TEST_F(DocumentVerificationTest, ACycleIsFoundByThePlatformsRuleForLetterCase) {
  Write("k/Top.iam", Assembly({"top.iam"}));
  Write("k/top.iam", Assembly({"p.ipt"}));
  Write("k/p.ipt", Part());
  const std::string lower = Path("k/top.iam");
  const struct {
    FileNameCase names;
    bool resolved;
    Lines lines;
  } rules[] = {
      {FileNameCase::Distinct, true, {Indent(1) + lower, Indent(2) + Path("k/p.ipt")}},
      {FileNameCase::Ignored,
       false,
       {Indent(1) + lower, "Circular reference: " + lower + " refers back to itself through its references",
        "Error resolving: " + lower + "   Assembly"}},
  };
  auto reader = connector_.NewApprentice();
  ASSERT_TRUE(reader.ok());
  for (const auto& rule : rules) {
    lines_.clear();
    auto top = reader.value()->Open(Path("k/Top.iam"));
    ASSERT_TRUE(top.ok());
    ReferenceTree tree(*reader.value(), [this](const std::string& line) { lines_.push_back(line); }, events_, rule.names);
    const Result<bool> resolved = tree.LogReferenceTree(top.value(), Path("k/Top.iam"));
    ASSERT_TRUE(resolved.ok());
    EXPECT_EQ(resolved.value(), rule.resolved) << rule.lines.back();
    EXPECT_EQ(lines_, rule.lines);
  }
  lines_.clear();
  EXPECT_EQ(Verify({Path("k/Top.iam")}).clean, 1u) << "this platform tells letter case apart";
}

TEST_F(DocumentVerificationTest, AFileTheReaderCannotOpenIsNamedWithItsReason) {
  standin::StandinDocument newer = Part();
  newer.release = {9, 0};
  const std::string path = Write("n.ipt", newer);
  Verify({path}, "*.IPT");
  ASSERT_EQ(Written().size(), 3u);
  EXPECT_EQ(Written()[1].rfind("Error opening: " + path + "   \"" + path + "\" was saved by", 0), 0u) << Written()[1];
  EXPECT_TRUE(Written()[1].ends_with("     ( may be a newer Inventor version file )"));
  EXPECT_EQ(Written()[2], "Errors...");
}

class ValidationReportTest : public DocumentVerificationTest {
 protected:
  bool Validate(const Lines& files, const std::string& pattern = "*.IPT", const std::string& project = "") {
    VerificationPorts ports = Ports();
    return ValidateDocumentsReport(ports, report_, files, pattern, project.empty() ? ActiveProject() : project);
  }
  std::string ActiveProject() {
    auto reader = connector_.NewApprentice();
    return reader.ok() && reader.value()->ActiveProjectFile() ? reader.value()->ActiveProjectFile().value() : "";
  }
  ValidationReport report_;
};

TEST_F(ValidationReportTest, MarksEachStatusInItsColumnAndTheMigration) {
  (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey), "");
  (void)registry_.WriteRegistryValue(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey),
                                     kActiveProjectValueName, std::string("/p/Default.ipj"));
  const struct {
    standin::ComputeStatus status;
    ReportColumn column;
  } statuses[] = {{standin::ComputeStatus::CannotCompute, ReportColumn::Cc},
                  {standin::ComputeStatus::Deleted, ReportColumn::De},
                  {standin::ComputeStatus::DriverLost, ReportColumn::Dl},
                  {standin::ComputeStatus::InError, ReportColumn::Ie},
                  {standin::ComputeStatus::OutOfDate, ReportColumn::Od},
                  {standin::ComputeStatus::Unknown, ReportColumn::Us}};
  Lines files;
  for (const auto& status : statuses) {
    standin::StandinDocument part = Part();
    part.computeStatus = status.status;
    files.push_back(Write("s" + std::to_string(files.size()) + ".ipt", part));
  }
  standin::StandinDocument migrating = Part();
  migrating.needsMigrating = true;
  files.push_back(Write("m.ipt", migrating));
  ASSERT_TRUE(Validate(files, "*.ipt", "/P/DEFAULT.IPJ"));
  ASSERT_EQ(report_.rows().size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    ReportRow expected;
    expected.cells.fill("-");
    expected[ReportColumn::Document] = files[i];
    expected[ReportColumn::Ver] = "7.0";
    expected[i < 6 ? statuses[i].column : ReportColumn::Nm] = "*";
    EXPECT_EQ(report_.rows()[i].cells, expected.cells) << files[i];
    EXPECT_FALSE(report_.rows()[i].red);
  }
  EXPECT_EQ(report_.status(), kValidationFinished);
}

TEST_F(ValidationReportTest, ReleasesThatDoNotFitAndAnotherProjectAreRemarked) {
  (void)registry_.CreateRegistryKey(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey), "");
  (void)registry_.WriteRegistryValue(RegistryRoot::CurrentUser, HostUserKey(kTag, kExternalReferencesKey),
                                     kActiveProjectValueName, std::string("/p/default.ipj"));
  standin::StandinDocument older = Part();
  older.release = {5, 3};
  older.computeStatus = standin::ComputeStatus::OutOfDate;
  standin::StandinDocument newer = Part();
  newer.release = {9, 0};
  const Lines files = {Write("old.ipt", older), Write("new.ipt", newer), Write("ok.ipt", Part())};
  ASSERT_TRUE(Validate(files, "*.IPT", "/p/default.ipj"));
  const auto& rows = report_.rows();
  EXPECT_EQ(rows[0][ReportColumn::Ver], "5.3");
  EXPECT_EQ(rows[0][ReportColumn::Od], "*");
  EXPECT_EQ(rows[0][ReportColumn::Other], "File created in older Inventor, not recommended, but may work");
  EXPECT_TRUE(rows[0].red);
  EXPECT_EQ(rows[1][ReportColumn::Ver], "-");
  EXPECT_EQ(rows[1][ReportColumn::Other].rfind("Error opening document \"" + files[1] + "\" was saved by", 0), 0u);
  EXPECT_TRUE(rows[1].red);
  EXPECT_EQ(rows[2][ReportColumn::Other], "-");
  EXPECT_FALSE(rows[2].red);

  // A project of its own replaces the older-release remark.
  ASSERT_TRUE(Validate({files[0]}, "*.IPT", "/p/other.ipj"));
  EXPECT_EQ(report_.rows().size(), 1u) << "each report starts empty";
  EXPECT_EQ(report_.rows()[0][ReportColumn::Other], "Document projectfile is different from selected projectfile");
  EXPECT_TRUE(report_.rows()[0].red);
}

TEST_F(ValidationReportTest, AcceptsIfeaturesAndRefusesFilesOfOtherSystems) {
  standin::StandinDocument feature = Part();
  feature.type = standin::DocumentType::DesignElement;
  EXPECT_TRUE(Validate({Write("f.ide", feature)}, "*.IDE", "/p.ipj"));
  EXPECT_EQ(report_.rows().size(), 1u);
  dialogs_.ExpectMessage("Files must be Inventor type files...");
  EXPECT_FALSE(Validate({"/x.stp"}, "*.STP", "/p.ipj"));
  EXPECT_TRUE(report_.rows().empty());
}

// A reader that opens every file without an error, and without a document.
class OpensNothing final : public host::Apprentice {
 public:
  Result<host::DocumentHandle> Open(const std::string&) override { return host::DocumentHandle{}; }
  Status CloseAll() override { return {}; }
  Result<host::Release> SoftwareVersion() override { return Unavailable(); }
  Result<std::string> ActiveProjectFile() override { return Unavailable(); }
  Result<bool> NeedsMigrating(host::DocumentHandle) override { return Unavailable(); }
  Result<std::int32_t> ComputeStatus(host::DocumentHandle) override { return Unavailable(); }
  Result<host::Release> CreatingRelease(host::DocumentHandle) override { return Unavailable(); }
  Result<std::vector<host::ReferencedFile>> ReferencedFiles(host::DocumentHandle) override { return Unavailable(); }
  Result<host::DocumentHandle> ReferencedDocument(host::DescriptorHandle) override { return Unavailable(); }
  Result<std::int32_t> SheetCount(host::DocumentHandle) override { return Unavailable(); }
  Result<double> SheetWidth(host::DocumentHandle, std::int32_t) override { return Unavailable(); }
  Result<double> SheetHeight(host::DocumentHandle, std::int32_t) override { return Unavailable(); }
  Result<std::int32_t> SheetSizeCode(host::DocumentHandle, std::int32_t) override { return Unavailable(); }

 private:
  static Failure Unavailable() { return {-1, "no document is open"}; }
};

TEST(ValidationReportOpening, ADocumentTheReaderGivesNoHandleForIsRed) {
  testing::FakeConnector connector;
  connector.makeApprentice = [] { return std::make_unique<OpensNothing>(); };
  testing::ScriptedDialogs dialogs;
  testing::RecordingEventPump events;
  VerificationPorts ports{connector, dialogs, events, [](const std::string&) {}, {}};
  ValidationReport report;
  ASSERT_TRUE(ValidateDocumentsReport(ports, report, {"/p/a.ipt"}, "*.IPT", "/p/default.ipj"));
  ASSERT_EQ(report.rows().size(), 1u);
  EXPECT_EQ(report.rows()[0][ReportColumn::Other],
            "Document could not be opened. May be a new version of Inventor than the current");
  EXPECT_EQ(report.rows()[0][ReportColumn::Ver], "-");
  EXPECT_TRUE(report.rows()[0].red);
}

TEST(DocumentVerificationOpening, ADocumentTheReaderGivesNoHandleForIsAnOpeningError) {
  testing::FakeConnector connector;
  connector.makeApprentice = [] { return std::make_unique<OpensNothing>(); };
  testing::ScriptedDialogs dialogs;
  testing::RecordingEventPump events;
  Lines lines;
  VerificationPorts ports{connector, dialogs, events, [&lines](const std::string& line) { lines.push_back(line); }, {}};
  const VerificationOutcome outcome = VerifyDocuments(ports, {"/p/a.ipt"}, "*.IPT", "/p/default.ipj");
  EXPECT_EQ(lines, (Lines{std::string(69, '-'), "Verifying /p/a.ipt",
                          "Error opening: /p/a.ipt        ( may be a newer Inventor version file )", "Errors...",
                          kVerificationFinished}));
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.clean, 0);
}

}  // namespace
}  // namespace korrin
