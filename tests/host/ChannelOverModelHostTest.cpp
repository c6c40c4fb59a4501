#include <gtest/gtest.h>

#include "ModelConnector.h"
#include "ModelDispatchChannel.h"
#include "host/ChannelApplication.h"
#include "host/ChannelFailures.h"
#include "support/FileBytes.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {
namespace {

// The client's typed classes over the dispatcher over the model host, all
// in this process: what a host in another process would be asked, and what
// it answers.
class ChannelOverModelHostTest : public ::testing::Test {
 protected:
  ChannelOverModelHostTest() {
    connector_.throughChannel = true;
    app_ = connector_.Create().value();
  }

  std::string File(const std::string& name) {
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(WriteModelFile(path, {"source"}).ok());
    return path;
  }

  host::DocumentHandle Open(const std::string& path) {
    auto opened = app_->OpenDocument(path, true);
    EXPECT_TRUE(opened.ok()) << path << ": " << (opened ? "" : opened.failure().description);
    return opened ? opened.value() : host::DocumentHandle{};
  }

  TemporaryFolder folder_;
  ModelConnector connector_;
  std::shared_ptr<host::Application> app_;
};

TEST_F(ChannelOverModelHostTest, DocumentsHaveTheTypeOfTheirExtensionAndDrawingsTheirSheets) {
  ModelFile& drawing = connector_.files.Describe((folder_ / "three.idw").string());
  drawing.sheets = {ModelSheet{}, ModelSheet{42.0, 29.7, 9994}, ModelSheet{}};
  const struct {
    const char* name;
    std::int32_t type;
    std::int32_t sheets;
  } cases[] = {{"a.ipt", host::kPartDocument, 0},         {"b.IAM", host::kAssemblyDocument, 0},
               {"c.idw", host::kDrawingDocument, 1},      {"d.ipn", host::kPresentationDocument, 0},
               {"e.dwg", host::kDrawingDocument, 1},      {"three.idw", host::kDrawingDocument, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = File(c.name);
    const host::DocumentHandle document = Open(path);
    EXPECT_EQ(app_->documents().DocumentType(document).value(), c.type);
    EXPECT_EQ(app_->documents().FullFileName(document).value(), path);
    EXPECT_EQ(app_->ActiveDocumentType().value(), c.type);
    EXPECT_EQ(app_->documents().SheetCount(document).value(), c.sheets);
  }
  EXPECT_EQ(app_->DocumentCount().value(), 6);
  const host::DocumentHandle three = app_->ActiveDocument().value();
  const host::SheetHandle second = app_->documents().Sheet(three, 2).value();
  EXPECT_EQ(app_->sheets().Width(second).value(), 42.0);
  EXPECT_EQ(app_->sheets().Height(second).value(), 29.7);
  EXPECT_EQ(app_->sheets().SizeCode(second).value(), 9994);
  ASSERT_TRUE(app_->sheets().Activate(second).ok());
  EXPECT_EQ(app_->documents().ActiveSheet(three).value(), second);
  EXPECT_EQ(app_->documents().Sheet(three, 4).failure().number, host::kBadIndex);
}

TEST_F(ChannelOverModelHostTest, FailuresComeBackWithTheHostsNumberAndDescription) {
  const std::string refused = File("refused.ipt");
  connector_.files.Describe(refused).openFailure = Failure{-2147467259, "The file is locked"};
  EXPECT_EQ(app_->OpenDocument(refused, true).failure(), (Failure{-2147467259, "The file is locked"}));
  const std::string missing = (folder_ / "missing.ipt").string();
  EXPECT_EQ(app_->OpenDocument(missing, true).failure(), (Failure{host::kUnspecifiedFailure,
                                                                   "File not found: " + missing}));
  EXPECT_EQ(app_->OpenDocument(File("notes.txt"), true).failure().number, host::kUnspecifiedFailure);

  // A closed document's handle fails every call.
  const host::DocumentHandle part = Open(File("part.ipt"));
  ASSERT_TRUE(app_->documents().Close(part, true).ok());
  EXPECT_EQ(app_->documents().FullFileName(part).failure().number, host::kObjectDisconnected);
  EXPECT_EQ(app_->DocumentCount().value(), 0);
  EXPECT_EQ(app_->ActiveDocument().failure().description, "No active document");
}

TEST_F(ChannelOverModelHostTest, ATranslatorWritesItsFileWithTheOptionsItWasGiven) {
  const std::string part = File("part.ipt");
  const host::DocumentHandle document = Open(part);
  auto addIns = app_->AddIns();
  ASSERT_TRUE(addIns.ok());
  host::AddInHandle step;
  for (const host::AddInEntry& entry : addIns.value()) {
    if (entry.displayName == "Autodesk STEP Translator") step = entry.addIn;
  }
  ASSERT_TRUE(step);
  const host::ContextHandle context = app_->NewTranslationContext(host::kFileBrowseContext).value();
  const host::OptionMapHandle options = app_->NewOptionMap().value();
  const std::string output = (folder_ / "part.stp").string();
  const host::DataMediumHandle medium = app_->NewDataMedium(output).value();
  ASSERT_TRUE(app_->translators().HasSaveCopyAsOptions(step, document, context, options).value());
  EXPECT_EQ(app_->OptionCount(options).value(), 5);
  EXPECT_EQ(app_->OptionName(options, 2).value(), "Author");
  ASSERT_TRUE(app_->SetOption(options, "Author", std::string("Ann")).ok());
  ASSERT_TRUE(app_->SetOption(options, "ApplicationProtocolType", std::int32_t{5}).ok());
  ASSERT_TRUE(app_->translators().SaveCopyAs(step, document, context, options, medium).ok());
  EXPECT_EQ(FileBytes(output), "Autodesk STEP Translator\ndocument: " + part +
                                   "\nApplicationProtocolType=5\nAuthor=Ann\nAuthorization=\nDescription=\n"
                                   "Organization=\n");

  // A document scripted to fail its export fails with that failure.
  connector_.files.Describe(part).exportFailure = Failure{-2147467259, "Translation failed"};
  const host::DocumentHandle again = Open(part);  // still open: the same document, its facts as opened
  EXPECT_EQ(again, document);
  const std::string failing = File("failing.ipt");
  connector_.files.Describe(failing).exportFailure = Failure{-2147467259, "Translation failed"};
  const host::DocumentHandle broken = Open(failing);
  EXPECT_EQ(app_->translators().SaveCopyAs(step, broken, context, options, medium).failure().description,
            "Translation failed");
}

TEST_F(ChannelOverModelHostTest, PrintManagersRecordWhatWasPrintedAndWriteFilesAskedFor) {
  const std::string path = File("two.idw");
  connector_.files.Describe(path).sheets = {ModelSheet{}, ModelSheet{}};
  const host::DocumentHandle drawing = Open(path);
  const host::PrintManagerHandle manager = app_->printManagers().PrintManager(drawing).value();
  host::PrintManagers& printing = app_->printManagers();
  ASSERT_TRUE(printing.SetPrinter(manager, "Plotter 1").ok());
  ASSERT_TRUE(printing.SetScale(manager, 0.5).ok());
  ASSERT_TRUE(printing.SetRotate90Degrees(manager, true).ok());
  ASSERT_TRUE(app_->sheets().Activate(app_->documents().Sheet(drawing, 2).value()).ok());
  const std::string printFile = (folder_ / "two-2.prn").string();
  ASSERT_TRUE(printing.PrintToFile(manager, printFile).ok());
  ASSERT_TRUE(printing.SubmitPrint(manager).ok());
  ModelHost& host = *connector_.host();
  ASSERT_EQ(host.printed.size(), 1u);
  EXPECT_EQ(host.printed[0].document, path);
  EXPECT_EQ(host.printed[0].sheet, 2);
  EXPECT_EQ(host.printed[0].settings.printer, "Plotter 1");
  EXPECT_EQ(host.printed[0].settings.scale, 0.5);
  EXPECT_TRUE(host.printed[0].settings.rotate90Degrees);
  EXPECT_EQ(FileBytes(printFile), "model print of: " + path + "\nsheet: 2\nprinter: Plotter 1\n");

  // A part's print manager has no drawing properties.
  const host::PrintManagerHandle partManager = printing.PrintManager(Open(File("p.ipt"))).value();
  EXPECT_EQ(printing.SetScale(partManager, 2.0).failure().number, host::kMemberNotFound);
}

TEST_F(ChannelOverModelHostTest, SaveCopyAsCommandSavesIntoThePostedNameAndIsBusyForAWhile) {
  connector_.host()->commandBusyReads = 2;
  const std::string part = File("view.ipt");
  Open(part);
  const std::string copy = (folder_ / "copy.bmp").string();
  ASSERT_TRUE(app_->PostFileName(host::kFileNamePostType, copy).ok());
  ASSERT_TRUE(app_->StartCommand(host::kSaveCopyAsCommand).ok());
  std::vector<std::int32_t> states;
  for (int read = 0; read < 3; ++read) states.push_back(app_->CommandState().value());
  EXPECT_EQ(states, (std::vector<std::int32_t>{ModelHost::kCommandRunning, ModelHost::kCommandRunning,
                                               host::kCommandStateIdle}));
  EXPECT_EQ(FileBytes(copy), "model document Part\nsaved from: " + part + "\n");
  // The posted name is used once.
  EXPECT_EQ(app_->StartCommand(host::kSaveCopyAsCommand).failure().description, "No file name posted");
}

TEST_F(ChannelOverModelHostTest, AfterQuitTheConnectorFindsNoHostAndCallsFail) {
  Open(File("a.ipt"));
  ASSERT_TRUE(app_->Quit().ok());
  EXPECT_EQ(connector_.GetRunning().failure().number, host::kOperationUnavailable);
  EXPECT_EQ(app_->DocumentCount().failure().number, host::kObjectDisconnected);
  ASSERT_TRUE(connector_.Create().ok());
  EXPECT_EQ(connector_.creates, 2);
  EXPECT_TRUE(connector_.GetRunning().ok());
}

TEST_F(ChannelOverModelHostTest, TheReaderReportsReleasesAndWhichReferencesResolve) {
  const std::string present = File("present.ipt");
  const std::string absent = (folder_ / "absent.ipt").string();
  const std::string assembly = File("top.iam");
  ModelFile& top = connector_.files.Describe(assembly);
  top.references = {present, absent};
  top.release = host::Release{6, 0};
  auto reader = connector_.NewApprentice().value();
  const host::DocumentHandle document = reader->Open(assembly).value();
  EXPECT_EQ(reader->CreatingRelease(document).value(), (host::Release{6, 0}));
  EXPECT_EQ(reader->SoftwareVersion().value(), (host::Release{7, 0}));
  auto references = reader->ReferencedFiles(document).value();
  ASSERT_EQ(references.size(), 2u);
  EXPECT_EQ(references[0].referencedDocumentType, host::kPartDocument);
  EXPECT_EQ(references[1].referencedDocumentType, host::kUnknownDocument);
  EXPECT_TRUE(reader->ReferencedDocument(references[0].descriptor).ok());
  EXPECT_EQ(reader->ReferencedDocument(references[1].descriptor).failure().description,
            "Unresolved reference: " + absent);
}

}  // namespace
}  // namespace korrin::testing
