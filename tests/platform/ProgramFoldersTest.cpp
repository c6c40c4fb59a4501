#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ProgramFolders.h"
#include "support/ScopedEnvironment.h"

namespace korrin {
namespace {

using testing::ScopedEnvironment;

TEST(ProgramFolders, KorrinHomeNamesTheProgramFolder) {
  ScopedEnvironment home("KORRIN_HOME", "/opt/korrin");
  EXPECT_EQ(ProgramFolder(), "/opt/korrin");
}

TEST(ProgramFolders, WithoutKorrinHomeItIsTheExecutablesFolder) {
  ScopedEnvironment home("KORRIN_HOME", nullptr);
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(ProgramFolder(), executable.parent_path().string());
}

TEST(ProgramFolders, TempFolderPrefersTempThenTmpdir) {
  {
    ScopedEnvironment temp("TEMP", "/t1");
    ScopedEnvironment tmpdir("TMPDIR", "/t2");
    EXPECT_EQ(TempFolder(), "/t1");
  }
  {
    ScopedEnvironment temp("TEMP", nullptr);
    ScopedEnvironment tmpdir("TMPDIR", "/t2");
    EXPECT_EQ(TempFolder(), "/t2");
  }
  ScopedEnvironment temp("TEMP", nullptr);
  ScopedEnvironment tmpdir("TMPDIR", "");
  EXPECT_EQ(TempFolder(), "/tmp");
}

}  // namespace
}  // namespace korrin
