#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "RegistryRulesTest.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;
using testing::ScopedEnvironment;
using testing::TemporaryFolder;

using testing::RegistryRulesTest;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
const std::string kKey = "Software\\Autodesk\\Inventor";

// The SQLite store in a folder of its own: the whole store is the area.
class SqliteRegistryUnderTest final : public testing::RegistryUnderTest {
 public:
  Registry& registry() override { return registry_; }
  std::string Area() const override { return ""; }

  void Store(const std::string& key, const std::string& name, RegistryKind kind, const std::string& data) override {
    (void)store().CreateKey(kUser, key, "");
    auto open = store().OpenKey(kUser, key, RegistryAccess::Full);
    ASSERT_TRUE(open.ok());
    ASSERT_TRUE(store().WriteValue(open.value(), {name, static_cast<std::uint32_t>(kind), data}).ok());
  }
  std::string Stored(const std::string& key, const std::string& name) override {
    auto open = store().OpenKey(kUser, key, RegistryAccess::Read);
    if (!open) return "<no key>";
    auto read = store().ReadValue(open.value(), name);
    return read.ok() && read.value() ? read.value()->data : "<no value>";
  }
  Status WriteThroughReadOnlyKey(const std::string& key) override {
    auto reading = store().OpenKey(kUser, key, RegistryAccess::Read);
    if (!reading) return reading.failure();
    return store().WriteValue(reading.value(), {"Name", 1, TextData("x")});
  }
  Status DeleteKey(RegistryRoot root, const std::string& key) override { return store().DeleteKey(root, key); }
  bool AreaExists() override { return folder_.Exists("registry"); }

  RegistryStore& store() { return registry_.store(); }
  std::string folder() const { return (folder_ / "registry").string(); }

 private:
  TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
};

INSTANTIATE_TEST_SUITE_P(Sqlite, RegistryRulesTest,
                         ::testing::Values([] { return std::make_unique<SqliteRegistryUnderTest>(); }));

class SqliteRegistryTest : public ::testing::Test {
 protected:
  SqliteRegistryUnderTest under_;
  SqliteRegistry& registry_ = static_cast<SqliteRegistry&>(under_.registry());
};

TEST_F(SqliteRegistryTest, ValuesAreListedInTheOrderTheyWereFirstWritten) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  for (const char* name : {"Zeta", "alpha", "Mid"}) ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, name, "x"s));
  ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "ZETA", std::int32_t{7}));
  std::vector<std::string> names;
  ASSERT_TRUE(registry_.EnumRegistryValues(kUser, kKey, names));
  EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
}

TEST_F(SqliteRegistryTest, TheRootKeyOpensAndARefusedWriteSaysWhy) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  EXPECT_TRUE(registry_.KeyExists(kUser, ""));
  const Status write = under_.WriteThroughReadOnlyKey(kKey);
  ASSERT_FALSE(write.ok());
  EXPECT_EQ(write.failure(), (Failure{kRegistryAccessDenied, "Access is denied."}));
  auto reading = under_.store().OpenKey(kUser, kKey, RegistryAccess::Read);
  ASSERT_TRUE(reading.ok());
  EXPECT_EQ(under_.store().DeleteValue(reading.value(), "Name").failure().number, kRegistryAccessDenied);
}

TEST_F(SqliteRegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWritesPerProcess = 100;
  const std::string folder = under_.folder();
  std::vector<pid_t> writers;
  for (const char* prefix : {"first", "second"}) {
    const pid_t pid = ::fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
      SqliteRegistry own(folder);
      bool all = true;
      for (int i = 0; i < kWritesPerProcess; ++i) {
        // Both create the same key; one of them creates it, both write into it.
        (void)own.CreateRegistryKey(kUser, kKey, "");
        all = own.WriteRegistryValue(kUser, kKey, prefix + std::to_string(i), std::int32_t{i}) && all;
      }
      ::_exit(all ? 0 : 1);
    }
    writers.push_back(pid);
  }
  for (pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer saw a failed write";
  }
  std::vector<std::string> names;
  ASSERT_TRUE(registry_.EnumRegistryValues(kUser, kKey, names));
  EXPECT_EQ(names.size(), 2u * kWritesPerProcess);
  RegistryValue value;
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, kKey, "second99", value));
  EXPECT_EQ(value, RegistryValue(std::int32_t{99}));
}

TEST(RegistryFolder, EnvironmentChoosesTheFolder) {
  {
    ScopedEnvironment registry("KORRIN_REGISTRY", "/srv/registry");
    EXPECT_EQ(RegistryFolder(), "/srv/registry");
  }
  ScopedEnvironment registry("KORRIN_REGISTRY", nullptr);
  {
    ScopedEnvironment data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(RegistryFolder(), "/data/korrin/registry");
  }
  ScopedEnvironment data("XDG_DATA_HOME", nullptr);
  ScopedEnvironment home("HOME", "/home/anna");
  EXPECT_EQ(RegistryFolder(), "/home/anna/.local/share/korrin/registry");
}

}  // namespace
}  // namespace korrin
