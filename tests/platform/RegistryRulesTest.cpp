#include "RegistryRulesTest.h"

#include <algorithm>
#include <string>
#include <vector>

namespace korrin::testing {
namespace {

using namespace std::string_literals;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr long kNotFound = 2;
constexpr long kAccessDenied = 5;
const std::string kInventor = "Software\\Autodesk\\Inventor";

TEST_P(RegistryRulesTest, TextIsStoredWithItsTerminatorAndReadWithout) {
  const std::string key = Key(kInventor);
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, key, ""));
  ASSERT_TRUE(registry().WriteRegistryValue(kUser, key, "Name", "ABC"s));
  ASSERT_TRUE(registry().WriteRegistryValue(kUser, key, "Accented", "Zoé \xE2\x82\xAC"s));
  EXPECT_EQ(under_->Stored(key, "Name"), "ABC\0"s);
  EXPECT_EQ(under_->Stored(key, "Accented"), "Zoé \xE2\x82\xAC\0"s);
  RegistryValue name, accented;
  ASSERT_TRUE(registry().ReadRegistryValue(kUser, key, "Name", name));
  ASSERT_TRUE(registry().ReadRegistryValue(kUser, key, "accented", accented));
  EXPECT_EQ(name, RegistryValue("ABC"s));
  EXPECT_EQ(accented, RegistryValue("Zoé \xE2\x82\xAC"s));
}

TEST_P(RegistryRulesTest, IntegersOfBothWidthsAreStoredAsThirtyTwoBitNumbers) {
  const std::string key = Key(kInventor);
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, key, ""));
  ASSERT_TRUE(registry().WriteRegistryValue(kUser, key, "Small", std::int16_t{-2}));
  ASSERT_TRUE(registry().WriteRegistryValue(kUser, key, "Large", std::int32_t{70000}));
  EXPECT_EQ(under_->Stored(key, "Small"), "\xFE\xFF\xFF\xFF"s);
  EXPECT_EQ(under_->Stored(key, "Large"), "\x70\x11\x01\x00"s);
  RegistryValue small, large;
  ASSERT_TRUE(registry().ReadRegistryValue(kUser, key, "Small", small));
  ASSERT_TRUE(registry().ReadRegistryValue(kUser, key, "Large", large));
  EXPECT_EQ(small, RegistryValue(std::int32_t{-2}));
  EXPECT_EQ(large, RegistryValue(std::int32_t{70000}));
}

TEST_P(RegistryRulesTest, MultiTextKeepsItsPartsWithoutTheFinalTerminator) {
  under_->Store(Key(kInventor), "Parts", RegistryKind::MultiText, "A\0BC\0\0"s);
  RegistryValue value;
  ASSERT_TRUE(registry().ReadRegistryValue(kUser, Key(kInventor), "Parts", value));
  EXPECT_EQ(value, RegistryValue("A\0BC\0"s));
}

TEST_P(RegistryRulesTest, OtherKindsReadAsSuccessAndLeaveTheValueAsItWas) {
  const std::string key = Key(kInventor);
  under_->Store(key, "Blob", RegistryKind::Binary, "\x01\x02"s);
  under_->Store(key, "Short", RegistryKind::Number, "\x01\x02"s);
  RegistryValue value = "before"s;
  EXPECT_TRUE(registry().ReadRegistryValue(kUser, key, "Blob", value));
  EXPECT_EQ(value, RegistryValue("before"s));
  // A number of fewer than four bytes cannot be read.
  EXPECT_FALSE(registry().ReadRegistryValue(kUser, key, "Short", value));
  EXPECT_FALSE(registry().ReadRegistryValue(kUser, key, "Missing", value));
  EXPECT_FALSE(registry().ReadRegistryValue(kUser, key + "\\Missing", "Blob", value));
  EXPECT_EQ(value, RegistryValue("before"s));
}

TEST_P(RegistryRulesTest, CreateIsTrueOnlyForAKeyCreatedNow) {
  const std::string key = Key(kInventor);
  EXPECT_TRUE(registry().CreateRegistryKey(kUser, key, "class"));
  EXPECT_FALSE(registry().CreateRegistryKey(kUser, key, "class"));
  EXPECT_FALSE(registry().CreateRegistryKey(kUser, Key("SOFTWARE\\AUTODESK\\INVENTOR"), ""));
  EXPECT_TRUE(registry().WriteRegistryValue(kUser, key, "Usable", "yes"s));
  // The missing parents came with it; a new level below is created now.
  EXPECT_TRUE(registry().KeyExists(kUser, Key("Software\\Autodesk")));
  EXPECT_TRUE(registry().CreateRegistryKey(kUser, key + "\\Sub", ""));
  for (const std::string& bad : {"\\" + Key("Leading"), Key("Double\\\\Separator"), Key(std::string(256, 'k'))}) {
    EXPECT_FALSE(registry().CreateRegistryKey(kUser, bad, "")) << bad;
    EXPECT_FALSE(registry().KeyExists(kUser, bad)) << bad;
  }
}

TEST_P(RegistryRulesTest, WriteNeverCreatesAKeyAndSkipsOtherTypes) {
  const std::string key = Key(kInventor);
  EXPECT_FALSE(registry().WriteRegistryValue(kUser, key, "Name", "text"s));
  EXPECT_FALSE(registry().KeyExists(kUser, key));
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, key, ""));
  EXPECT_TRUE(registry().WriteRegistryValue(kUser, key, "Flag", true));
  EXPECT_TRUE(registry().WriteRegistryValue(kUser, key, "Real", 2.5));
  std::vector<std::string> names{"untouched"};
  EXPECT_FALSE(registry().EnumRegistryValues(kUser, key, names));
  EXPECT_EQ(names, std::vector<std::string>{"untouched"});
}

TEST_P(RegistryRulesTest, SubKeysCountFromOneInNameOrderIgnoringCase) {
  const std::string key = Key(kInventor);
  std::vector<SubKeyRecord> keys{{"untouched", ""}};
  EXPECT_EQ(registry().EnumRegistryKeys(kUser, key, kKeyRead, keys), 0);
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, key, ""));
  EXPECT_EQ(registry().EnumRegistryKeys(kUser, key, kKeyRead, keys), 0);
  EXPECT_EQ(keys, (std::vector<SubKeyRecord>{{"untouched", ""}}));

  for (const char* name : {"charlie", "Alpha", "BRAVO"}) {
    ASSERT_TRUE(registry().CreateRegistryKey(kUser, key + "\\" + name, std::string(name) + " class"));
  }
  ASSERT_EQ(registry().EnumRegistryKeys(kUser, key, kKeyAllAccess, keys), 3);
  EXPECT_EQ(keys, (std::vector<SubKeyRecord>{
                      {"", ""}, {"Alpha", "Alpha class"}, {"BRAVO", "BRAVO class"}, {"charlie", "charlie class"}}));
}

TEST_P(RegistryRulesTest, ValuesCountFromZeroKeepingTheirFirstCase) {
  const std::string key = Key(kInventor);
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, key, ""));
  for (const char* name : {"Zeta", "alpha", "Mid"}) ASSERT_TRUE(registry().WriteRegistryValue(kUser, key, name, "x"s));
  // Writing under another case replaces the value and keeps its name.
  ASSERT_TRUE(registry().WriteRegistryValue(kUser, key, "ZETA", std::int32_t{7}));
  std::vector<std::string> names;
  ASSERT_TRUE(registry().EnumRegistryValues(kUser, key, names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Mid", "Zeta", "alpha"}));
  RegistryValue value;
  ASSERT_TRUE(registry().ReadRegistryValue(kUser, Key("software\\autodesk\\inventor"), "zeta", value));
  EXPECT_EQ(value, RegistryValue(std::int32_t{7}));
}

TEST_P(RegistryRulesTest, TheRootsAreSeparate) {
  const std::string key = Key(kInventor);
  ASSERT_TRUE(registry().CreateRegistryKey(kMachine, key, ""));
  ASSERT_TRUE(registry().WriteRegistryValue(kMachine, key, "Where", "machine"s));
  EXPECT_FALSE(registry().KeyExists(kUser, key));
  EXPECT_TRUE(registry().CreateRegistryKey(kUser, key, ""));
  RegistryValue value;
  EXPECT_FALSE(registry().ReadRegistryValue(kUser, key, "Where", value));
  EXPECT_TRUE(registry().ReadRegistryValue(kMachine, key, "Where", value));
  EXPECT_EQ(value, RegistryValue("machine"s));
}

TEST_P(RegistryRulesTest, ReadingCreatesNothing) {
  const std::string key = Key(kInventor);
  RegistryValue value;
  std::vector<std::string> names;
  std::vector<SubKeyRecord> keys;
  EXPECT_FALSE(registry().KeyExists(kUser, key));
  EXPECT_FALSE(registry().ReadRegistryValue(kUser, key, "Name", value));
  EXPECT_FALSE(registry().EnumRegistryValues(kUser, key, names));
  EXPECT_EQ(registry().EnumRegistryKeys(kMachine, key, kKeyRead, keys), 0);
  EXPECT_FALSE(under_->AreaExists());
}

TEST_P(RegistryRulesTest, AKeyOpenedForReadingRefusesWrites) {
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, Key(kInventor), ""));
  const Status write = under_->WriteThroughReadOnlyKey(Key(kInventor));
  ASSERT_FALSE(write.ok());
  EXPECT_EQ(write.failure().number, kAccessDenied);
  EXPECT_EQ(under_->Stored(Key(kInventor), "Name"), "<no value>");
}

TEST_P(RegistryRulesTest, DeletingAKeyTakesEverythingBelowItButNeverTheRoot) {
  const std::string key = Key(kInventor);
  ASSERT_TRUE(registry().CreateRegistryKey(kUser, key + "\\Deep\\Deeper", ""));
  ASSERT_TRUE(registry().WriteRegistryValue(kUser, key + "\\Deep", "Name", "x"s));
  ASSERT_TRUE(under_->DeleteKey(kUser, Key("software\\AUTODESK")).ok());
  EXPECT_FALSE(registry().KeyExists(kUser, key + "\\Deep"));
  EXPECT_TRUE(registry().KeyExists(kUser, Key("Software")));
  EXPECT_EQ(under_->DeleteKey(kUser, Key("Software\\Autodesk")).failure().number, kNotFound);
  EXPECT_EQ(under_->DeleteKey(kUser, "").failure().number, kAccessDenied);
  // Re-created, the key is new and empty.
  EXPECT_TRUE(registry().CreateRegistryKey(kUser, key + "\\Deep", ""));
  std::vector<std::string> names;
  EXPECT_FALSE(registry().EnumRegistryValues(kUser, key + "\\Deep", names));
}

TEST(TextBeforeNul, CutsAtTheFirstNul) {
  EXPECT_EQ(TextBeforeNul("Name\0class\0"s), "Name");
  EXPECT_EQ(TextBeforeNul("no nul"), "no nul");
  EXPECT_EQ(TextBeforeNul("\0rest"s), "");
}

}  // namespace
}  // namespace korrin::testing
