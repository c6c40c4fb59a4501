#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "host/FileExists.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

struct Case {
  std::string path;
  bool exists;
};

TEST(FileExists, TrueForFilesAndLinksToFilesOnly) {
  const testing::TemporaryFolder folder;
  folder.Write("bracket.ipt", "bytes");
  std::filesystem::create_directory(folder / "sub");
  std::vector<Case> cases = {
      {(folder / "bracket.ipt").string(), true},
      {(folder / "sub").string(), false},
      {(folder / "missing.ipt").string(), false},
      {(folder / "bracket.ipt" / "inner").string(), false},
      {"", false},
  };
  // Windows makes symbolic links for administrators and in developer mode
  // only, and Wine makes none: the links are checked where they can be made.
  std::error_code noLinks;
  std::filesystem::create_symlink(folder / "bracket.ipt", folder / "link.ipt", noLinks);
  if (!noLinks) {
    std::filesystem::create_symlink(folder / "gone.ipt", folder / "dangling.ipt");
    std::filesystem::create_directory_symlink(folder / "sub", folder / "linked-sub");
    cases.push_back({(folder / "link.ipt").string(), true});
    cases.push_back({(folder / "linked-sub").string(), false});
    cases.push_back({(folder / "dangling.ipt").string(), false});
  }
#ifndef _WIN32
  EXPECT_FALSE(noLinks) << noLinks.message();
#endif
  for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << path;
}

}  // namespace
}  // namespace korrin
