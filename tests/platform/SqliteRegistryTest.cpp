#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/linux/SqliteRegistry.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;
using testing::ScopedEnvironment;
using testing::TemporaryFolder;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
const std::string kKey = "Software\\Autodesk\\Inventor";

class SqliteRegistryTest : public ::testing::Test {
 protected:
  // Stores a value of any kind with exactly the given bytes.
  void Store(const std::string& key, const std::string& name, RegistryKind kind, const std::string& data) {
    (void)registry_.store().CreateKey(kUser, key, "");
    auto open = registry_.store().OpenKey(kUser, key, RegistryAccess::Full);
    ASSERT_TRUE(open.ok());
    ASSERT_TRUE(registry_.store().WriteValue(open.value(), {name, static_cast<std::uint32_t>(kind), data}).ok());
  }
  std::string StoredData(const std::string& key, const std::string& name) {
    auto open = registry_.store().OpenKey(kUser, key, RegistryAccess::Read);
    if (!open) return "<no key>";
    auto read = registry_.store().ReadValue(open.value(), name);
    return read.ok() && read.value() ? read.value()->data : "<no value>";
  }

  TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
};

TEST_F(SqliteRegistryTest, TextIsStoredWithItsTerminatorAndReadWithout) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "Name", "ABC"s));
  EXPECT_EQ(StoredData(kKey, "Name"), "ABC\0"s);
  RegistryValue value;
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, kKey, "Name", value));
  EXPECT_EQ(value, RegistryValue("ABC"s));
}

TEST_F(SqliteRegistryTest, IntegersOfBothWidthsAreStoredAsThirtyTwoBitNumbers) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "Small", std::int16_t{-2}));
  ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "Large", std::int32_t{70000}));
  EXPECT_EQ(StoredData(kKey, "Small"), "\xFE\xFF\xFF\xFF"s);
  EXPECT_EQ(StoredData(kKey, "Large"), "\x70\x11\x01\x00"s);
  RegistryValue small, large;
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, kKey, "Small", small));
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, kKey, "Large", large));
  EXPECT_EQ(small, RegistryValue(std::int32_t{-2}));
  EXPECT_EQ(large, RegistryValue(std::int32_t{70000}));
}

TEST_F(SqliteRegistryTest, MultiTextKeepsItsPartsWithoutTheFinalTerminator) {
  Store(kKey, "Parts", RegistryKind::MultiText, "A\0BC\0\0"s);
  RegistryValue value;
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, kKey, "Parts", value));
  EXPECT_EQ(value, RegistryValue("A\0BC\0"s));
}

TEST_F(SqliteRegistryTest, OtherKindsReadAsSuccessAndLeaveTheValueAsItWas) {
  Store(kKey, "Blob", RegistryKind::Binary, "\x01\x02"s);
  Store(kKey, "Short", RegistryKind::Number, "\x01\x02"s);
  RegistryValue value = "before"s;
  EXPECT_TRUE(registry_.ReadRegistryValue(kUser, kKey, "Blob", value));
  EXPECT_EQ(value, RegistryValue("before"s));
  // A number of fewer than four bytes cannot be read.
  EXPECT_FALSE(registry_.ReadRegistryValue(kUser, kKey, "Short", value));
  EXPECT_FALSE(registry_.ReadRegistryValue(kUser, kKey, "Missing", value));
  EXPECT_FALSE(registry_.ReadRegistryValue(kUser, kKey + "\\Missing", "Blob", value));
  EXPECT_EQ(value, RegistryValue("before"s));
}

TEST_F(SqliteRegistryTest, CreateIsTrueOnlyForAKeyCreatedNow) {
  EXPECT_TRUE(registry_.CreateRegistryKey(kUser, kKey, "class"));
  EXPECT_FALSE(registry_.CreateRegistryKey(kUser, kKey, "class"));
  EXPECT_FALSE(registry_.CreateRegistryKey(kUser, "SOFTWARE\\AUTODESK\\INVENTOR", ""));
  EXPECT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "Usable", "yes"s));
  // The missing parents came with it; a new level below is created now.
  EXPECT_TRUE(registry_.KeyExists(kUser, "Software\\Autodesk"));
  EXPECT_TRUE(registry_.CreateRegistryKey(kUser, kKey + "\\Sub", ""));
  EXPECT_FALSE(registry_.CreateRegistryKey(kUser, "\\Leading", ""));
  EXPECT_FALSE(registry_.CreateRegistryKey(kUser, "Double\\\\Separator", ""));
  EXPECT_FALSE(registry_.CreateRegistryKey(kUser, std::string(256, 'k'), ""));
}

TEST_F(SqliteRegistryTest, WriteNeverCreatesAKeyAndSkipsOtherTypes) {
  RegistryValue value;
  EXPECT_FALSE(registry_.WriteRegistryValue(kUser, kKey, "Name", "text"s));
  EXPECT_FALSE(registry_.KeyExists(kUser, kKey));
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  EXPECT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "Flag", true));
  EXPECT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "Real", 2.5));
  std::vector<std::string> names{"untouched"};
  EXPECT_FALSE(registry_.EnumRegistryValues(kUser, kKey, names));
  EXPECT_EQ(names, std::vector<std::string>{"untouched"});
}

TEST_F(SqliteRegistryTest, SubKeysCountFromOneInNameOrderIgnoringCase) {
  std::vector<SubKeyRecord> keys{{"untouched", ""}};
  EXPECT_EQ(registry_.EnumRegistryKeys(kUser, kKey, kKeyRead, keys), 0);
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  EXPECT_EQ(registry_.EnumRegistryKeys(kUser, kKey, kKeyRead, keys), 0);
  EXPECT_EQ(keys, (std::vector<SubKeyRecord>{{"untouched", ""}}));

  for (const char* name : {"charlie", "Alpha", "BRAVO"}) {
    ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey + "\\" + name, std::string(name) + " class"));
  }
  ASSERT_EQ(registry_.EnumRegistryKeys(kUser, kKey, kKeyAllAccess, keys), 3);
  EXPECT_EQ(keys, (std::vector<SubKeyRecord>{
                      {"", ""}, {"Alpha", "Alpha class"}, {"BRAVO", "BRAVO class"}, {"charlie", "charlie class"}}));
}

TEST_F(SqliteRegistryTest, ValuesCountFromZeroInWriteOrderKeepingTheirFirstCase) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  for (const char* name : {"Zeta", "alpha", "Mid"}) ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, name, "x"s));
  // Writing under another case replaces the value in its place.
  ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey, "ZETA", std::int32_t{7}));
  std::vector<std::string> names;
  ASSERT_TRUE(registry_.EnumRegistryValues(kUser, kKey, names));
  EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
  RegistryValue value;
  ASSERT_TRUE(registry_.ReadRegistryValue(kUser, "software\\autodesk\\inventor", "zeta", value));
  EXPECT_EQ(value, RegistryValue(std::int32_t{7}));
}

TEST_F(SqliteRegistryTest, TheRootsAreSeparate) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kMachine, kKey, ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(kMachine, kKey, "Where", "machine"s));
  EXPECT_FALSE(registry_.KeyExists(kUser, kKey));
  EXPECT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  RegistryValue value;
  EXPECT_FALSE(registry_.ReadRegistryValue(kUser, kKey, "Where", value));
  EXPECT_TRUE(registry_.KeyExists(kUser, ""));
}

TEST_F(SqliteRegistryTest, ReadingAFreshRegistryCreatesNothing) {
  RegistryValue value;
  std::vector<std::string> names;
  std::vector<SubKeyRecord> keys;
  EXPECT_FALSE(registry_.KeyExists(kUser, kKey));
  EXPECT_FALSE(registry_.ReadRegistryValue(kUser, kKey, "Name", value));
  EXPECT_FALSE(registry_.EnumRegistryValues(kUser, "", names));
  EXPECT_EQ(registry_.EnumRegistryKeys(kMachine, "", kKeyRead, keys), 0);
  EXPECT_FALSE(folder_.Exists("registry"));
}

TEST_F(SqliteRegistryTest, AKeyOpenedForReadingRefusesWrites) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey, ""));
  RegistryStore& store = registry_.store();
  auto reading = store.OpenKey(kUser, kKey, RegistryAccess::Read);
  ASSERT_TRUE(reading.ok());
  const Status write = store.WriteValue(reading.value(), {"Name", 1, TextData("x")});
  ASSERT_FALSE(write.ok());
  EXPECT_EQ(write.failure(), (Failure{kRegistryAccessDenied, "Access is denied."}));
  EXPECT_EQ(store.DeleteValue(reading.value(), "Name").failure().number, kRegistryAccessDenied);
}

TEST_F(SqliteRegistryTest, DeletingAKeyTakesEverythingBelowItButNeverTheRoot) {
  ASSERT_TRUE(registry_.CreateRegistryKey(kUser, kKey + "\\Deep\\Deeper", ""));
  ASSERT_TRUE(registry_.WriteRegistryValue(kUser, kKey + "\\Deep", "Name", "x"s));
  RegistryStore& store = registry_.store();
  ASSERT_TRUE(store.DeleteKey(kUser, "software\\AUTODESK").ok());
  EXPECT_FALSE(registry_.KeyExists(kUser, kKey + "\\Deep"));
  EXPECT_TRUE(registry_.KeyExists(kUser, "Software"));
  EXPECT_EQ(store.DeleteKey(kUser, "Software\\Autodesk").failure().number, kRegistryNotFound);
  EXPECT_EQ(store.DeleteKey(kUser, "").failure().number, kRegistryAccessDenied);
  // Re-created, the key is new and empty.
  EXPECT_TRUE(registry_.CreateRegistryKey(kUser, kKey + "\\Deep", ""));
  std::vector<std::string> names;
  EXPECT_FALSE(registry_.EnumRegistryValues(kUser, kKey + "\\Deep", names));
}

TEST_F(SqliteRegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWritesPerProcess = 100;
  const std::string folder = (folder_ / "registry").string();
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

TEST(TextBeforeNul, CutsAtTheFirstNul) {
  EXPECT_EQ(TextBeforeNul("Name\0class\0"s), "Name");
  EXPECT_EQ(TextBeforeNul("no nul"), "no nul");
  EXPECT_EQ(TextBeforeNul("\0rest"s), "");
}

}  // namespace
}  // namespace korrin
