#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using testing::ProgramRun;

constexpr const char* kSuccess = "The operation completed successfully.\n";
constexpr const char* kNotFound = "ERROR: The system was unable to find the specified registry key or value.\n";

// A file with every kind the program handles, a binary value long enough to
// wrap, the default value, escapes, and a second root.
constexpr const char* kAllKinds =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Korrin]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Korrin\\Options]\r\n"
    "\"Folder\"=\"C:\\\\Work \\\"A\\\"\"\r\n"
    "\"Count\"=dword:0000000a\r\n"
    "\"Parts\"=hex(7):41,00,00,00,62,00,e9,00,00,00,00,00\r\n"
    "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
    "  16,17,18,19\r\n"
    "@=\"default\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Korrin\\Options\\Empty]\r\n"
    "\r\n";

class RegistryToolTest : public ::testing::Test {
 protected:
  ProgramRun Reg(const std::vector<std::string>& arguments) {
    return testing::RunProgram(testing::BuiltProgram("korrin-reg"), arguments,
                               {"KORRIN_REGISTRY=" + (folder_ / "registry").string()});
  }
  std::string File(const char* name) { return (folder_ / name).string(); }

  testing::TemporaryFolder folder_;
};

TEST_F(RegistryToolTest, ImportThenExportGivesTheSameFile) {
  folder_.Write("in.reg", kAllKinds);
  ProgramRun imported = Reg({"import", File("in.reg")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(imported.out, kSuccess);

  ProgramRun exported = Reg({"export", "HKCU\\software\\KORRIN", File("out.reg")});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(folder_.Read("out.reg"), kAllKinds);
}

TEST_F(RegistryToolTest, QueryListsValuesAndSubKeysAsTheSystemToolDoes) {
  folder_.Write("in.reg", kAllKinds);
  ASSERT_EQ(Reg({"import", File("in.reg")}).exitCode, 0);

  ProgramRun listed = Reg({"query", "HKEY_CURRENT_USER\\Software\\Korrin\\Options"});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_EQ(listed.out,
            "\n"
            "HKEY_CURRENT_USER\\Software\\Korrin\\Options\n"
            "    Folder    REG_SZ    C:\\Work \"A\"\n"
            "    Count    REG_DWORD    0xa\n"
            "    Parts    REG_MULTI_SZ    A\\0bé\n"
            "    Blob    REG_BINARY    000102030405060708090A0B0C0D0E0F10111213141516171819\n"
            "    (Default)    REG_SZ    default\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Korrin\\Options\\Empty\n");

  ProgramRun searched = Reg({"query", "hkcu\\Software", "/s", "/v", "COUNT"});
  EXPECT_EQ(searched.exitCode, 0);
  EXPECT_EQ(searched.out,
            "\n"
            "HKEY_CURRENT_USER\\Software\\Korrin\\Options\n"
            "    Count    REG_DWORD    0xa\n"
            "\n"
            "End of search: 1 match(es) found.\n");
}

TEST_F(RegistryToolTest, AddWritesEachKindAndAsksBeforeOverwriting) {
  const std::string key = "HKLM\\SOFTWARE\\Autodesk\\Inventor\\Current Version";
  EXPECT_EQ(Reg({"add", key, "/v", "RegistryVersion", "/d", "RegistryVersion6.0"}).out, kSuccess);
  EXPECT_EQ(Reg({"add", key, "/v", "Build", "/t", "reg_dword", "/d", "4294967295"}).exitCode, 0);
  EXPECT_EQ(Reg({"add", key, "/v", "List", "/t", "REG_MULTI_SZ", "/s", ";", "/d", "a;b"}).exitCode, 0);

  // Input is at its end: the question is answered No and nothing changes.
  ProgramRun refused = Reg({"add", key, "/v", "registryversion", "/d", "other"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "Value registryversion exists, overwrite (Yes/No)? \n");
  EXPECT_EQ(refused.err, "The operation was cancelled; nothing was changed.\n");

  ProgramRun listed = Reg({"query", key});
  EXPECT_EQ(listed.out,
            "\n"
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\Inventor\\Current Version\n"
            "    RegistryVersion    REG_SZ    RegistryVersion6.0\n"
            "    Build    REG_DWORD    0xffffffff\n"
            "    List    REG_MULTI_SZ    a\\0b\n");

  EXPECT_EQ(Reg({"add", key, "/v", "RegistryVersion", "/d", "RegistryVersion5.2", "/f"}).exitCode, 0);
  EXPECT_EQ(Reg({"query", key, "/v", "registryVERSION"}).out,
            "\n"
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\Inventor\\Current Version\n"
            "    RegistryVersion    REG_SZ    RegistryVersion5.2\n"
            "\n");
}

TEST_F(RegistryToolTest, DeleteRemovesValuesAndKeys) {
  folder_.Write("in.reg", kAllKinds);
  ASSERT_EQ(Reg({"import", File("in.reg")}).exitCode, 0);
  const std::string key = "HKCU\\Software\\Korrin\\Options";
  EXPECT_EQ(Reg({"delete", key, "/v", "Count"}).exitCode, 1);  // not confirmed
  EXPECT_EQ(Reg({"delete", key, "/v", "Count", "/f"}).out, kSuccess);
  EXPECT_EQ(Reg({"query", key, "/v", "Count"}).err, kNotFound);
  EXPECT_EQ(Reg({"delete", key, "/ve", "/f"}).exitCode, 0);
  EXPECT_EQ(Reg({"delete", "HKCU\\Software\\Korrin", "/f"}).exitCode, 0);
  EXPECT_EQ(Reg({"query", key}).err, kNotFound);
  EXPECT_EQ(Reg({"delete", "HKCU", "/f"}).err, "ERROR: A root key cannot be deleted.\n");
}

TEST_F(RegistryToolTest, FailuresAreClearAndExitNonZero) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"query", "HKCU\\Software\\Missing"}, 1, kNotFound},
      {{"query", "HKCU", "/v", "Missing"}, 1, kNotFound},
      {{"query", "HKCR\\Software"}, 1,
       "ERROR: Invalid key name \"HKCR\\Software\": it must start with HKEY_CURRENT_USER, HKCU, "
       "HKEY_LOCAL_MACHINE or HKLM.\n"},
      {{"add", "HKCU\\K", "/v", "N", "/t", "REG_DWORD", "/d", "4294967296"}, 1,
       "ERROR: Invalid data for REG_DWORD: \"4294967296\" (a number from 0 to 4294967295, decimal or 0x "
       "hexadecimal).\n"},
      {{"add", "HKCU\\K", "/v", "N", "/t", "REG_QWORD"}, 1,
       "ERROR: Invalid type \"REG_QWORD\": it must be REG_SZ, REG_DWORD, REG_MULTI_SZ or REG_BINARY.\n"},
      {{"import", File("missing.reg")}, 1, "ERROR: Cannot open " + File("missing.reg") + ".\n"},
      {{"delete", "HKLM\\Missing", "/f"}, 1, kNotFound},
  };
  for (const Case& test : cases) {
    ProgramRun run = Reg(test.arguments);
    EXPECT_EQ(run.exitCode, test.exitCode) << test.arguments[1];
    EXPECT_EQ(run.err, test.err) << test.arguments[1];
  }
  // A failed add of a value leaves no key behind.
  EXPECT_EQ(Reg({"query", "HKCU\\K"}).err, kNotFound);
  EXPECT_EQ(Reg({"frobnicate"}).exitCode, 2);
  EXPECT_EQ(Reg({}).exitCode, 2);
}

TEST_F(RegistryToolTest, AMalformedFileNamesItsLineAndChangesNothing) {
  folder_.Write("bad.reg",
                "Windows Registry Editor Version 5.00\r\n"
                "\r\n"
                "[HKEY_CURRENT_USER\\Software\\Korrin]\r\n"
                "\"Good\"=\"yes\"\r\n"
                "\"Count\"=dword:xyz\r\n");
  ProgramRun run = Reg({"import", File("bad.reg")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "ERROR: " + File("bad.reg") + " line 5: a dword needs one to eight hexadecimal digits.\n");
  EXPECT_EQ(Reg({"query", "HKCU\\Software\\Korrin"}).err, kNotFound);

  folder_.Write("root.reg", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\.ipt]\r\n");
  EXPECT_EQ(Reg({"import", File("root.reg")}).err,
            "ERROR: " + File("root.reg") + " line 3: unknown root in \"HKEY_CLASSES_ROOT\\.ipt\".\n");
}

}  // namespace
}  // namespace korrin
