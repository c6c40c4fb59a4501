#include "EngineFixture.h"
#include "verify/DocumentChecks.h"

namespace korrin {
namespace {

class DocumentChecksTest : public testing::EngineFixture {
 protected:
  LogLineFunction LogLine() {
    return [this](const std::string& line) { log_.LogLine(line); };
  }
  std::optional<Failure> pending_;
};

TEST_F(DocumentChecksTest, AResolvedTreeLogsNothing) {
  Write("a/p.ipt", Part());
  Write("a/sub.iam", Assembly({"p.ipt"}));
  const host::DocumentHandle top = Open(Write("a/top.iam", Assembly({"sub.iam", "p.ipt"})));
  EXPECT_TRUE(CheckReferencesResolve(Host(), top, LogLine(), pending_));
  EXPECT_TRUE(view_.lines.empty());
  EXPECT_FALSE(pending_);
}

TEST_F(DocumentChecksTest, UnresolvedReferencesAreLoggedDownTheTree) {
  Write("a/p.ipt", Part());
  Write("a/sub.iam", Assembly({"p.ipt", "gone.ipt"}));
  const host::DocumentHandle top = Open(Write("a/top.iam", Assembly({"sub.iam", "missing.ipt"})));
  EXPECT_FALSE(CheckReferencesResolve(Host(), top, LogLine(), pending_));
  EXPECT_EQ(view_.lines, (std::vector<std::string>{"Error resolving: " + (folder_ / "a/gone.ipt").string(),
                                                   "Error resolving: " + (folder_ / "a/sub.iam").string(),
                                                   "Error resolving: " + (folder_ / "a/missing.ipt").string()}));
}

TEST_F(DocumentChecksTest, AnAssemblyReferringToItselfEnds) {
  const host::DocumentHandle loop = Open(Write("a/loop.iam", Assembly({"loop.iam"})));
  EXPECT_FALSE(CheckReferencesResolve(Host(), loop, LogLine(), pending_));
  EXPECT_FALSE(view_.lines.empty());
}

TEST_F(DocumentChecksTest, FileVersionsTheReaderCannotOpenAreReported) {
  standin::StandinDocument newer = Part();
  newer.release = {9, 0};
  auto reader = connector_.NewApprentice();
  ASSERT_TRUE(reader.ok());
  // One reader serves many checks: each leaves it with nothing open.
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(CheckFileVersion(reader.value().get(), Write("new.ipt", newer), "7.0"),
              "Found fileversion: unknown. Current version: 7.0");
    EXPECT_EQ(CheckFileVersion(reader.value().get(), Write("ok.ipt", Part()), "7.0"), "");
  }
  EXPECT_EQ(CheckFileVersion(nullptr, Write("ok.ipt", Part()), "7.0"), "Found fileversion: unknown. Current version: 7.0");
  // Files that are no host documents are the import's matter.
  EXPECT_EQ(CheckFileVersion(reader.value().get(), (folder_ / "x.stp").string(), "7.0"), "");
}

}  // namespace
}  // namespace korrin
