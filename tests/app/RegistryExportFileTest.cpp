#include <gtest/gtest.h>

#include "app/RegistryExportFile.h"

namespace korrin {
namespace {

using namespace std::string_literals;
using Action = RegistryFileChange::Action;

std::string Utf16Le(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST(RegistryFileParse, ReadsTheChangesInFileOrder) {
  const RegistryFileParse parse = ParseRegistryFile(
      "Windows Registry Editor Version 5.00\n"
      "; a comment\n"
      "[-HKLM\\Software\\Old]\n"
      "[HKCU\\Software\\New\\]\n"
      "\"Gone\"=-\n"
      "  \"Spaced\" = \"x\"   \n"
      "\"Multi\"=hex(7):61,00,00,\\\n"
      "    00,00,00\n");
  ASSERT_FALSE(parse.error) << parse.error->message;
  ASSERT_EQ(parse.changes.size(), 5u);
  EXPECT_EQ(parse.changes[0].action, Action::DeleteKey);
  EXPECT_EQ(parse.changes[0].key.root, RegistryRoot::LocalMachine);
  EXPECT_EQ(parse.changes[0].key.path, "Software\\Old");
  EXPECT_EQ(parse.changes[1].action, Action::CreateKey);
  EXPECT_EQ(parse.changes[1].key.path, "Software\\New");
  EXPECT_EQ(parse.changes[2].action, Action::DeleteValue);
  EXPECT_EQ(parse.changes[2].value.name, "Gone");
  EXPECT_EQ(parse.changes[3].value, (StoredValue{"Spaced", 1, "x\0"s}));
  // A continued line counts as the line it started on.
  EXPECT_EQ(parse.changes[4].value, (StoredValue{"Multi", 7, "a\0\0"s}));
  EXPECT_EQ(parse.changes[4].line, 7);
}

TEST(RegistryFileParse, ReadsUtf16FilesAndOldEightBitFiles) {
  const RegistryFileParse wide = ParseRegistryFile(
      Utf16Le("Windows Registry Editor Version 5.00\r\n\r\n[HKCU\\K]\r\n\"T\"=\"caf\"\r\n\"N\"=dword:00000001\r\n"));
  ASSERT_FALSE(wide.error) << wide.error->message;
  ASSERT_EQ(wide.changes.size(), 3u);
  EXPECT_EQ(wide.changes[1].value, (StoredValue{"T", 1, "caf\0"s}));
  EXPECT_EQ(wide.changes[2].value, (StoredValue{"N", 4, "\x01\0\0\0"s}));

  // Old files keep multi-text in 8 bits.
  const RegistryFileParse old = ParseRegistryFile("REGEDIT4\r\n\r\n[HKCU\\K]\r\n\"M\"=hex(7):61,00,00\r\n");
  ASSERT_FALSE(old.error) << old.error->message;
  EXPECT_EQ(old.changes[1].value, (StoredValue{"M", 7, "a\0\0"s}));
}

TEST(RegistryFileParse, NamesTheFirstMalformedLine) {
  struct Case {
    std::string body;
    int line;
    std::string message;
  };
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const std::vector<Case> cases = {
      {"[HKCU\\K]\n\"A\"=\"ok\"\n\"B\"=\"open\n", 5, "the data must be \"text\", dword:, hex: or hex(n):"},
      {"\"A\"=\"x\"\n", 3, "a value before any key"},
      {"[HKCU\\K\n", 3, "a key line must end with \"]\""},
      {"[HKU\\K]\n", 3, "unknown root in \"HKU\\K\""},
      {"[HKCU\\K]\nplain text\n", 4, "not a key, value or comment line"},
      {"[HKCU\\K]\n\"A\"=dword:123456789\n", 4, "a dword needs one to eight hexadecimal digits"},
      {"[HKCU\\K]\n\"A\"=hex:1,2g\n", 4, "hex data must be bytes of two hexadecimal digits separated by commas"},
      {"[HKCU\\K]\n\"A\"=hex:01,\n", 4, "hex data must be bytes of two hexadecimal digits separated by commas"},
      {"[HKCU\\K]\n\"A\"=hex(7):61,00,00\n", 4, "text data in UTF-16 needs an even number of bytes"},
      {"[HKCU\\K]\n\"A\"=\"x\" trailing\n", 4, "unexpected text after the data"},
      {"[HKCU\\K]\n\"A\"\n", 4, "\"=\" must follow the value name"},
      {"[-HKCU\\K]\n\"A\"=\"x\"\n", 4, "a value under a key that is being deleted"},
  };
  for (const Case& test : cases) {
    const RegistryFileParse parse = ParseRegistryFile(header + test.body);
    ASSERT_TRUE(parse.error) << test.body;
    EXPECT_EQ(parse.error->line, test.line) << test.body;
    EXPECT_EQ(parse.error->message, test.message) << test.body;
    EXPECT_TRUE(parse.changes.empty()) << test.body;
  }
  const RegistryFileParse headless = ParseRegistryFile("\n[HKCU\\K]\n");
  ASSERT_TRUE(headless.error);
  EXPECT_EQ(headless.error->line, 2);
  EXPECT_EQ(headless.error->message, "the file must start with \"Windows Registry Editor Version 5.00\"");
}

TEST(RegistryFileSection, WritesEachKindTheWayTheSystemToolsRead) {
  const std::vector<StoredValue> values = {
      {"", 1, "C:\\\"x\"\0"s},
      {"Inner", 1, "a\0b\0"s},  // a NUL inside cannot be quoted text
      {"Lines", 1, "a\nb\r\0"s},  // nor can a line break
      {"Number", 4, "\x0a\0\0\x80"s},
      {"Expand", 2, "%A%\0"s},
      {"Quad", 11, "\x01\x02"s},
  };
  EXPECT_EQ(RegistryFileSection(RegistryRoot::LocalMachine, "Software\\K", values),
            "[HKEY_LOCAL_MACHINE\\Software\\K]\r\n"
            "@=\"C:\\\\\\\"x\\\"\"\r\n"
            "\"Inner\"=hex(1):61,00,62,00\r\n"
            "\"Lines\"=hex(1):61,0a,62,0d,00\r\n"
            "\"Number\"=dword:8000000a\r\n"
            "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
            "\"Quad\"=hex(b):01,02\r\n"
            "\r\n");
  const RegistryFileParse back = ParseRegistryFile(RegistryFileStart() +
                                                   RegistryFileSection(RegistryRoot::LocalMachine, "K", values));
  ASSERT_FALSE(back.error) << back.error->message;
  ASSERT_EQ(back.changes.size(), values.size() + 1);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(back.changes[i + 1].value, values[i]) << i;
}

}  // namespace
}  // namespace korrin
