#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "platform/ProgramFolders.h"

namespace korrin {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = ::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

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
