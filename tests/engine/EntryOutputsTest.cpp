#include "engine/EntryOutputs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;

TEST(EntryOutputs, TheExtensionIsTheOneTheTranslatorWrites) {
  const struct {
    const char* pattern;
    const char* extension;
  } cases[] = {{"*.STP", "stp"}, {"*.STEP", "stp"}, {"*.STE", "stp"}, {"*.IGES", "igs"}, {"*.IGE", "igs"},
               {"*.DWG", "dwg"}, {"*.ZGL", "zgl"}, {"PRINTE", ""}};
  for (const auto& wanted : cases) EXPECT_EQ(OutputExtension(wanted.pattern), wanted.extension) << wanted.pattern;
}

TEST(EntryOutputs, SheetsCountUpToTheFirstMissingOneAndAllMustBeNewer) {
  const testing::TemporaryFolder folder;
  folder.Write("a.ipt", "source");
  const std::string source = (folder / "a.ipt").string();
  const std::string base = (folder / "a").string();
  EXPECT_TRUE(ExistingOutputs(base, "dwg").empty());
  EXPECT_TRUE(UpToDateOutputs(source, base, "*.DWG").empty());

  for (const char* sheet : {"a_1.dwg", "a_2.dwg", "a_4.dwg"}) folder.Write(sheet, "sheet");
  const auto later = fs::last_write_time(source) + std::chrono::seconds(1);
  for (const char* sheet : {"a_1.dwg", "a_2.dwg", "a_4.dwg"}) fs::last_write_time(folder / sheet, later);
  const std::vector<std::string> sheets = {base + "_1.dwg", base + "_2.dwg"};
  EXPECT_EQ(ExistingOutputs(base, "dwg"), sheets);
  EXPECT_EQ(UpToDateOutputs(source, base, "*.DWG"), sheets);
  // No extension: nothing to look for, whatever lies there.
  EXPECT_TRUE(ExistingOutputs(base, "").empty());

  // Written in the same instant as the source is not newer.
  fs::last_write_time(folder / "a_2.dwg", fs::last_write_time(source));
  EXPECT_TRUE(UpToDateOutputs(source, base, "*.DWG").empty());
  EXPECT_FALSE(AllNewerThan(sheets, (folder / "gone.ipt").string()));
}

TEST(EntryOutputs, AnImportCountsAnyDocumentTypeTheHostSaves) {
  const testing::TemporaryFolder folder;
  folder.Write("f.stp", "source");
  const std::string source = (folder / "f.stp").string();
  folder.Write("f.iam", "assembly");
  fs::last_write_time(folder / "f.iam", fs::last_write_time(source) + std::chrono::seconds(1));
  EXPECT_EQ(UpToDateOutputs(source, (folder / "f").string(), "*.IAM"),
            std::vector<std::string>{(folder / "f.iam").string()});
  EXPECT_TRUE(UpToDateOutputs(source, (folder / "f").string(), "*.IPT").empty());
}

}  // namespace
}  // namespace korrin
