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

TEST_F(DocumentChecksTest, AReferenceCycleEndsAtItsFirstRepeatAndFails) {
  const host::DocumentHandle loop = Open(Write("a/loop.iam", Assembly({"loop.iam"})));
  EXPECT_FALSE(CheckReferencesResolve(Host(), loop, LogLine(), pending_));
  const std::string self = "Error resolving: " + (folder_ / "a/loop.iam").string();
  EXPECT_EQ(view_.lines, (std::vector<std::string>{self, self}));

  view_.lines.clear();
  Write("c/b.iam", Assembly({"a.iam"}));
  const host::DocumentHandle a = Open(Write("c/a.iam", Assembly({"b.iam"})));
  EXPECT_FALSE(CheckReferencesResolve(Host(), a, LogLine(), pending_));
  EXPECT_LE(view_.lines.size(), 4u) << "the cycle is left at once";
  ASSERT_FALSE(view_.lines.empty());
  EXPECT_EQ(view_.lines.back(), "Error resolving: " + (folder_ / "c/b.iam").string());
  EXPECT_FALSE(pending_);
}

TEST_F(DocumentChecksTest, ADeepValidTreeResolves) {
  // Deeper than any guard by depth would allow, with a part at the bottom.
  constexpr int kLevels = 150;
  Write("d/p.ipt", Part());
  Write("d/level" + std::to_string(kLevels) + ".iam", Assembly({"p.ipt"}));
  for (int level = kLevels - 1; level >= 1; --level) {
    Write("d/level" + std::to_string(level) + ".iam", Assembly({"level" + std::to_string(level + 1) + ".iam"}));
  }
  const host::DocumentHandle top = Open(Write("d/top.iam", Assembly({"level1.iam", "p.ipt"})));
  EXPECT_TRUE(CheckReferencesResolve(Host(), top, LogLine(), pending_));
  EXPECT_TRUE(view_.lines.empty()) << view_.lines.front();
  EXPECT_FALSE(pending_);

  // A missing part at the bottom is still found and named up the chain.
  Write("d/level" + std::to_string(kLevels) + ".iam", Assembly({"gone.ipt"}));
  const host::DocumentHandle again = Open(Write("d/top2.iam", Assembly({"level1.iam"})));
  EXPECT_FALSE(CheckReferencesResolve(Host(), again, LogLine(), pending_));
  ASSERT_FALSE(view_.lines.empty());
  EXPECT_EQ(view_.lines.front(), "Error resolving: " + (folder_ / "d/gone.ipt").string());
  EXPECT_EQ(view_.lines.size(), static_cast<std::size_t>(kLevels) + 1);
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
