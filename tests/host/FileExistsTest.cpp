#include <gtest/gtest.h>

#include <filesystem>

#include "host/FileExists.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(FileExists, TrueForFilesAndLinksToFilesOnly) {
  const testing::TemporaryFolder folder;
  folder.Write("bracket.ipt", "bytes");
  std::filesystem::create_directory(folder / "sub");
  std::filesystem::create_symlink(folder / "bracket.ipt", folder / "link.ipt");
  std::filesystem::create_symlink(folder / "gone.ipt", folder / "dangling.ipt");
  std::filesystem::create_symlink(folder / "sub", folder / "linked-sub");
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {(folder / "bracket.ipt").string(), true},
      {(folder / "link.ipt").string(), true},
      {(folder / "sub").string(), false},
      {(folder / "linked-sub").string(), false},
      {(folder / "dangling.ipt").string(), false},
      {(folder / "missing.ipt").string(), false},
      {(folder / "bracket.ipt/inner").string(), false},
      {"", false},
  };
  for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << path;
}

}  // namespace
}  // namespace korrin
