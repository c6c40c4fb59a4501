#include "StandinFixture.h"
#include "host/HostCodes.h"

namespace korrin {
namespace {

// The document reader on trees: each file read once while held, releases of
// the host's own major open, cycles end.
class StandinApprenticeTest : public testing::StandinFixture {
 protected:
  std::unique_ptr<host::Apprentice> NewReader() {
    auto reader = connector_.NewApprentice();
    EXPECT_TRUE(reader.ok()) << (reader ? "" : reader.failure().description);
    return reader ? std::move(reader).value() : nullptr;
  }

  // Walks the tree below a document as a verification does, every
  // occurrence of a shared subassembly again, and lists each file reached
  // (indented by its level) or "missing <file>" for one that does not open.
  static void Walk(host::Apprentice& reader, host::DocumentHandle document, const std::string& indent,
                   std::vector<std::string>& lines) {
    auto files = reader.ReferencedFiles(document);
    ASSERT_TRUE(files.ok()) << files.failure().description;
    for (const host::ReferencedFile& file : files.value()) {
      const std::string name = std::filesystem::path(file.fullFileName).filename().string();
      auto referenced = reader.ReferencedDocument(file.descriptor);
      if (!referenced) {
        lines.push_back(indent + "missing " + name);
        continue;
      }
      lines.push_back(indent + name);
      Walk(reader, referenced.value(), indent + "  ", lines);
    }
  }

  // top -> left and right, which both use shared (right twice) -> the part
  // and a missing file: five files, one of them missing.
  std::string WriteSharedTree() {
    Write("tree/part.ipt", Part());
    Write("tree/shared.iam", Assembly({"part.ipt", "gone.ipt"}));
    Write("tree/left.iam", Assembly({"shared.iam"}));
    Write("tree/right.iam", Assembly({"shared.iam", "shared.iam"}));
    return Write("tree/top.iam", Assembly({"left.iam", "right.iam"}));
  }
};

TEST_F(StandinApprenticeTest, AReaderReadsEachFileOnceUntilItClosesAll) {
  const std::string top = WriteSharedTree();
  const std::vector<std::string> expected = {
      "left.iam",           "  shared.iam",      "    part.ipt", "    missing gone.ipt", "right.iam",
      "  shared.iam",       "    part.ipt",      "    missing gone.ipt",                  "  shared.iam",
      "    part.ipt",       "    missing gone.ipt"};
  std::unique_ptr<host::Apprentice> reader = NewReader();
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(connector_.DocumentReads(), 0u);

  const host::DocumentHandle opened = reader->Open(top).value();
  std::vector<std::string> lines;
  Walk(*reader, opened, "", lines);
  EXPECT_EQ(lines, expected);
  // top, left, right, shared, part, and the one try at the missing file.
  EXPECT_EQ(connector_.DocumentReads(), 6u);

  // Opening a held file again, by name or through another reference, gives
  // the document already read.
  EXPECT_EQ(reader->Open(top).value(), opened);
  const host::DocumentHandle shared = reader->Open((folder_ / "tree/shared.iam").string()).value();
  const auto sharedFiles = reader->ReferencedFiles(shared).value();
  EXPECT_EQ(reader->ReferencedDocument(sharedFiles[0].descriptor).value(),
            reader->Open((folder_ / "tree/part.ipt").string()).value());
  EXPECT_EQ(connector_.DocumentReads(), 6u);

  // A file changed on disk is not read again while held: the reader still
  // has the status it read.
  standin::StandinDocument changed = Part();
  changed.computeStatus = standin::ComputeStatus::InError;
  const std::string part = Write("tree/part.ipt", changed);
  EXPECT_EQ(reader->ComputeStatus(reader->Open(part).value()).value(), host::kStatusUpToDate);

  ASSERT_TRUE(reader->CloseAll().ok());
  EXPECT_FALSE(reader->ComputeStatus(opened).ok());
  EXPECT_EQ(reader->ComputeStatus(reader->Open(part).value()).value(), host::kStatusInError);
  lines.clear();
  Walk(*reader, reader->Open(top).value(), "", lines);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(connector_.DocumentReads(), 12u);

  // Readers keep their own documents; the connector counts them all.
  std::unique_ptr<host::Apprentice> second = NewReader();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second->Open(top).value(), reader->Open(top).value());
  EXPECT_EQ(connector_.DocumentReads(), 13u);

  // Its name in another case is another file, and none is there.
  const std::string upper = (folder_ / "TREE/Top.IAM").string();
  EXPECT_EQ(second->Open(upper).failure().description, upper + ": No such file or directory");
}

TEST_F(StandinApprenticeTest, ReleasesOfTheHostsMajorOpenANewerMajorDoesNot) {
  const struct {
    standin::StandinRelease release;
    bool opens;
  } cases[] = {{{5, 3}, true}, {{7, 0}, true}, {{7, 1}, true}, {{7, 12}, true}, {{8, 0}, false}, {{9, 0}, false}};
  std::unique_ptr<host::Apprentice> reader = NewReader();
  ASSERT_NE(reader, nullptr);
  for (const auto& test : cases) {
    const std::string version = standin::ReleaseText(test.release);
    standin::StandinDocument part = Part();
    part.release = test.release;
    const std::string path = Write("release-" + version + ".ipt", part);

    auto read = reader->Open(path);
    auto opened = Host().OpenDocument(path, true);
    if (test.opens) {
      ASSERT_TRUE(read.ok()) << version << ": " << read.failure().description;
      EXPECT_EQ(reader->CreatingRelease(read.value()).value(),
                (host::Release{test.release.majorNumber, test.release.minorNumber}));
      EXPECT_TRUE(opened.ok()) << version << ": " << opened.failure().description;
      continue;
    }
    ASSERT_FALSE(read.ok()) << version;
    EXPECT_EQ(read.failure().description,
              "\"" + path + "\" was saved by a newer release (" + version + ") than this reader reads.");
    ASSERT_FALSE(opened.ok()) << version;
    EXPECT_EQ(opened.failure().description,
              "\"" + path + "\" was saved by release " + version + ", newer than this host (7.0).");
  }

  // Through a reference, a newer major still shows its type but does not open.
  const std::string top = Write("holder.iam", Assembly({"release-7.1.ipt", "release-9.0.ipt"}));
  const auto files = reader->ReferencedFiles(reader->Open(top).value()).value();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_TRUE(reader->ReferencedDocument(files[0].descriptor).ok());
  EXPECT_EQ(files[1].referencedDocumentType, host::kPartDocument);
  EXPECT_EQ(reader->ReferencedDocument(files[1].descriptor).failure().description,
            "The reference to \"" + (folder_ / "release-9.0.ipt").string() + "\" does not resolve.");
}

TEST_F(StandinApprenticeTest, AReferenceCycleResolvesWithoutLooping) {
  const std::string a = Write("cycle/a.iam", Assembly({"b.iam"}));
  const std::string b = Write("cycle/b.iam", Assembly({"a.iam", "a.iam"}));
  std::unique_ptr<host::Apprentice> reader = NewReader();
  ASSERT_NE(reader, nullptr);
  const host::DocumentHandle first = reader->Open(a).value();
  const host::DocumentHandle second =
      reader->ReferencedDocument(reader->ReferencedFiles(first).value().at(0).descriptor).value();
  const auto back = reader->ReferencedFiles(second).value();
  ASSERT_EQ(back.size(), 2u);
  for (const host::ReferencedFile& file : back) {
    EXPECT_EQ(file.fullFileName, a);
    EXPECT_EQ(reader->ReferencedDocument(file.descriptor).value(), first);
  }
  EXPECT_EQ(connector_.DocumentReads(), 2u);

  // The host loads a document per reference reached, so a walk on it ends
  // only where the caller stops; its model of the cycle ends at once.
  const host::DocumentHandle opened = Open(a);
  host::DocumentHandle reached = opened;
  for (int level = 0; level < 4; ++level) {
    const auto files = Host().documents().ReferencedFiles(reached).value();
    reached = Host().documents().ReferencedDocument(files.at(0).descriptor).value();
    EXPECT_EQ(Host().documents().FullFileName(reached).value(), level % 2 == 0 ? b : a);
  }
  const host::ContextHandle context = Host().NewTranslationContext(host::kFileBrowseContext).value();
  const host::OptionMapHandle options = Host().NewOptionMap().value();
  host::AddInHandle step;
  for (const host::AddInEntry& entry : Host().AddIns().value()) {
    if (entry.displayName == "Autodesk STEP Translator") step = entry.addIn;
  }
  const Status exported = Host().translators().SaveCopyAs(
      step, opened, context, options, Host().NewDataMedium((folder_ / "cycle.stp").string()).value());
  ASSERT_FALSE(exported.ok());
  EXPECT_NE(exported.failure().description.find("The assembly refers to itself through \"" + a + "\"."),
            std::string::npos)
      << exported.failure().description;
}

}  // namespace
}  // namespace korrin
