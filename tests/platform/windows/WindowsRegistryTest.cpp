#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "../RegistryRulesTest.h"
#include "platform/windows/RegistryKeys.h"
#include "platform/windows/SystemFailure.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsRegistry.h"

namespace korrin {
namespace {

using namespace std::string_literals;

using testing::RegistryRulesTest;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

// The real registry, in a scratch key of both roots named after this
// process, removed with everything in it when the test ends.
class WindowsRegistryUnderTest final : public testing::RegistryUnderTest {
 public:
  WindowsRegistryUnderTest() : scratch_("Software\\Korrin tests " + std::to_string(GetCurrentProcessId())) {}
  ~WindowsRegistryUnderTest() override {
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
      (void)registry_keys::DeleteTree(root, scratch_);
    }
  }

  Registry& registry() override { return registry_; }
  std::string Area() const override { return scratch_ + "\\"; }

  void Store(const std::string& key, const std::string& name, RegistryKind kind, const std::string& data) override {
    ASSERT_TRUE(registry_keys::Create(kUser, key, "").ok());
    auto open = registry_keys::Open(kUser, key, KEY_ALL_ACCESS);
    ASSERT_TRUE(open.ok());
    RegistryData stored{static_cast<std::uint32_t>(kind), {}, {}};
    if (kind == RegistryKind::Text || kind == RegistryKind::MultiText) {
      stored.characters = WideFromText(data);
    } else {
      stored.bytes = data;
    }
    ASSERT_TRUE(registry_keys::Write(open.value().get(), name, stored).ok());
  }
  std::string Stored(const std::string& key, const std::string& name) override {
    auto open = registry_keys::Open(kUser, key, KEY_READ);
    if (!open) return "<no key>";
    auto read = registry_keys::Read(open.value().get(), name);
    if (!read.ok() || !read.value()) return "<no value>";
    const RegistryData& data = *read.value();
    return data.characters.empty() ? data.bytes : TextFromWide(data.characters);
  }
  Status WriteThroughReadOnlyKey(const std::string& key) override {
    auto reading = registry_keys::Open(kUser, key, KEY_READ);
    if (!reading) return reading.failure();
    return registry_keys::Write(reading.value().get(), "Name", {REG_SZ, L"x"s + L'\0', {}});
  }
  Status DeleteKey(RegistryRoot root, const std::string& key) override { return registry_keys::DeleteTree(root, key); }
  bool AreaExists() override {
    return registry_.KeyExists(RegistryRoot::CurrentUser, scratch_) ||
           registry_.KeyExists(RegistryRoot::LocalMachine, scratch_);
  }

  const std::string& scratch() const { return scratch_; }

 private:
  std::string scratch_;
  WindowsRegistry registry_;
};

INSTANTIATE_TEST_SUITE_P(Windows, RegistryRulesTest,
                         ::testing::Values([] { return std::make_unique<WindowsRegistryUnderTest>(); }));

TEST(WindowsRegistry, FailuresCarryTheSystemsNumberAndText) {
  WindowsRegistryUnderTest under;
  auto missing = registry_keys::Open(kUser, under.scratch() + "\\Missing", KEY_READ);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.failure().number, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing.failure(), SystemFailure(ERROR_FILE_NOT_FOUND));
  auto bad = registry_keys::Create(kUser, under.scratch() + "\\\\Twice", "");
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.failure().number, kRegistryBadPath);

  for (DWORD number : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_BAD_PATHNAME}}) {
    const std::string text = SystemFailure(number).description;
    EXPECT_FALSE(text.empty()) << number;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << number << ": " << text;
    EXPECT_NE(text.back(), ' ') << number;
  }
  // A number the system has no text for still reads as a sentence.
  EXPECT_EQ(SystemFailure(0x2000FFFF), (Failure{0x2000FFFF, "System error 536936447."}));
}

TEST(WindowsRegistry, NamesOutsideAsciiRoundTrip) {
  WindowsRegistryUnderTest under;
  Registry& registry = under.registry();
  const std::string key = under.Area() + "Pièces\\Größe";
  ASSERT_TRUE(registry.CreateRegistryKey(kUser, key, "Klasse é"));
  ASSERT_TRUE(registry.WriteRegistryValue(kUser, key, "Vorgabe é", "Wert ü"s));
  std::vector<SubKeyRecord> keys;
  ASSERT_EQ(registry.EnumRegistryKeys(kUser, under.Area() + "pièces", kKeyRead, keys), 1);
  EXPECT_EQ(keys[1], (SubKeyRecord{"Größe", "Klasse é"}));
  std::vector<std::string> names;
  ASSERT_TRUE(registry.EnumRegistryValues(kUser, key, names));
  EXPECT_EQ(names, std::vector<std::string>{"Vorgabe é"});
  RegistryValue value;
  ASSERT_TRUE(registry.ReadRegistryValue(kUser, key, "Vorgabe é", value));
  EXPECT_EQ(value, RegistryValue("Wert ü"s));
}

TEST(WindowsRegistry, TextStoredWithoutATerminatorKeepsItsLastCharacter) {
  WindowsRegistryUnderTest under;
  const std::string key = under.Area() + "Unterminated";
  under.Store(key, "Bare", RegistryKind::Text, "ABC");
  RegistryValue value;
  ASSERT_TRUE(under.registry().ReadRegistryValue(kUser, key, "Bare", value));
  EXPECT_EQ(value, RegistryValue("ABC"s));
}

TEST(WideText, ConvertsWholeTextsIncludingNuls) {
  EXPECT_EQ(WideFromText("a\0é€"s), L"a\0\u00E9\u20AC"s);
  EXPECT_EQ(TextFromWide(L"a\0\u00E9\u20AC"s), "a\0é€"s);
  // Bytes that are no UTF-8 are Latin-1, so nothing is lost.
  EXPECT_EQ(WideFromText("caf\xE9"), L"caf\u00E9");
  EXPECT_EQ(TextFromWide(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace korrin
