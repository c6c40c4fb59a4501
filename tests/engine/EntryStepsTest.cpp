#include "EngineFixture.h"
#include "engine/EntrySteps.h"
#include "support/FakeHost.h"

namespace korrin {
namespace {

TEST(OutputBasePath, ExportFolderOrBesideTheSource) {
  const struct {
    std::string entry;
    bool useFolder;
    std::string field, documentName, base;
    std::optional<std::string> fieldAfter;
  } cases[] = {
      {"/in/gear.rev2.ipt", true, "/out/", "/in/gear.rev2.ipt", "/out/gear", "/out"},
      {"/in/gear.ipt", true, "/out", "/in/gear.ipt", "/out/gear", "/out"},
      {"/in/gear.ipt", true, "/", "", "/gear", ""},
      {"/in/gear.ipt", false, "/out", "/in/gear.ipt", "/in/gear", std::nullopt},
      // A foreign source whose host document has no file name yet.
      {"/in/x.iges", false, "", "", "/in/x.", std::nullopt},
  };
  for (const auto& test : cases) {
    const OutputBase base = OutputBasePath(test.entry, test.useFolder, test.field, test.documentName);
    EXPECT_EQ(base.path, test.base) << test.entry << " " << test.field;
    EXPECT_EQ(base.exportFolderField, test.fieldAfter) << test.entry << " " << test.field;
  }
}

TEST(NameToOpen, LowerCasedOnlyWhereFileNamesIgnoreCase) {
  const struct {
    FileNameCase names;
    const char* opened;
  } rules[] = {{FileNameCase::Ignored, "c:\\data\\proj\\a.ipt"}, {FileNameCase::Distinct, "C:\\Data\\Proj\\A.ipt"}};
  for (const auto& rule : rules) EXPECT_EQ(NameToOpen("C:\\Data\\Proj\\A.ipt", rule.names), rule.opened);
}

using CloseEntryDocumentsTest = testing::EngineFixture;

TEST_F(CloseEntryDocumentsTest, ClosesTheEntryAndWhateverElseIsOpenNotebooksIncluded) {
  standin::StandinDocument notebook = Part();
  notebook.environment = "Notebook";
  Open(Write("other.ipt", Part()));
  Open(Write("notes.ipt", notebook));
  const host::DocumentHandle entry = Open(Write("entry.ipt", Part()));
  CloseEntryDocuments(Host(), entry, "/in/entry.ipt", log_);
  EXPECT_EQ(Host().DocumentCount().value(), 0);
  EXPECT_EQ(view_.lines, std::vector<std::string>{"Closing document(s)"});
}

TEST_F(CloseEntryDocumentsTest, ADocumentThatWillNotCloseStopsTheClosing) {
  testing::FakeSessionHost host;
  host.open = {1, 2, 3};
  host.refuseClose = {2};
  CloseEntryDocuments(host, host::DocumentHandle{3}, "/in/entry.ipt", log_);
  EXPECT_EQ(host.open, (std::vector<std::uint64_t>{1, 2}));
  EXPECT_EQ(view_.lines, (std::vector<std::string>{"Closing document(s)",
                                                   "Could not close notebook document: /in/entry.ipt"}));
  // Nothing was opened for the entry (a skipped entry): only the others close.
  testing::FakeSessionHost empty;
  CloseEntryDocuments(empty, std::nullopt, "/in/skipped.ipt", log_);
  EXPECT_EQ(view_.lines.back(), "Closing document(s)");
}

}  // namespace
}  // namespace korrin
