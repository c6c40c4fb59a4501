#include <gtest/gtest.h>

#include "ModelRegistry.h"

namespace korrin::testing {
namespace {

TEST(ModelRegistryTest, KeysAndValuesFollowTheRegistrysRules) {
  ModelRegistry registry;
  const RegistryRoot user = RegistryRoot::CurrentUser;
  EXPECT_FALSE(registry.WriteRegistryValue(user, "Software\\A", "Name", std::string("x")));  // no key yet
  EXPECT_TRUE(registry.CreateRegistryKey(user, "Software\\A\\B", ""));
  EXPECT_FALSE(registry.CreateRegistryKey(user, "SOFTWARE\\a\\b", ""));  // exists, case ignored
  EXPECT_TRUE(registry.KeyExists(user, "software\\a"));                   // the parent was made too
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, "Software\\A"));

  const struct {
    RegistryWriteValue written;
    RegistryValue read;
  } cases[] = {{std::string("text"), std::string("text")},
               {std::int16_t{-3}, std::int32_t{-3}},
               {std::int32_t{70000}, std::int32_t{70000}},
               {true, std::monostate{}},
               {2.5, std::monostate{}}};
  int number = 0;
  for (const auto& c : cases) {
    const std::string name = "Value" + std::to_string(++number);
    SCOPED_TRACE(name);
    EXPECT_TRUE(registry.WriteRegistryValue(user, "Software\\A\\B", name, c.written));
    RegistryValue value;
    const bool present = registry.ReadRegistryValue(user, "SOFTWARE\\A\\B", ToUpperAscii(name), value);
    EXPECT_EQ(present, !std::holds_alternative<std::monostate>(c.read));
    EXPECT_EQ(value, c.read);
  }
  std::vector<std::string> names;
  ASSERT_TRUE(registry.EnumRegistryValues(user, "Software\\A\\B", names));
  EXPECT_EQ(names, (std::vector<std::string>{"Value1", "Value2", "Value3"}));

  ASSERT_TRUE(registry.CreateRegistryKey(user, "Software\\A\\C", ""));
  std::vector<SubKeyRecord> keys;
  EXPECT_EQ(registry.EnumRegistryKeys(user, "Software\\A", kKeyRead, keys), 2);
  EXPECT_EQ(keys, (std::vector<SubKeyRecord>{{}, {"B", ""}, {"C", ""}}));
  EXPECT_EQ(registry.EnumRegistryKeys(user, "Software\\A\\C", kKeyRead, keys), 0);
  EXPECT_EQ(keys.size(), 3u);  // a failed enumeration leaves the list
}

}  // namespace
}  // namespace korrin::testing
