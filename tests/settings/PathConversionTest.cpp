#include <gtest/gtest.h>

#include <filesystem>

#include "settings/PathConversion.h"
#include "settings/TextFile.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

TEST(PathConversion, NamesReachTheFileSystemAsWritten) {
  testing::TemporaryFolder folder;
  const std::string base = TextFromPath(folder.path());
  // The UTF-8 names and the same names as the compiler spells them, which
  // reach the system without our conversions.
  const struct {
    std::string text;
    std::u8string name;
  } cases[] = {
      {"plain.ini", u8"plain.ini"},
      {"K\xC3\xA4se.ipt", u8"Käse.ipt"},
      {"\xE6\x97\xA5\xE6\x9C\xAC.idw", u8"日本.idw"},
      {"smile \xF0\x9F\x98\x80.iam", u8"smile 😀.iam"},
  };
  for (const auto& c : cases) {
    const std::filesystem::path path = PathFromText(base) / PathFromText(c.text);
    ASSERT_TRUE(WriteTextFile(path, {"x"}).ok()) << c.text;
    EXPECT_TRUE(std::filesystem::exists(folder.path() / c.name)) << c.text;
    EXPECT_EQ(TextFromPath(path.filename()), c.text);
    std::filesystem::remove(path);
  }
}

TEST(PathConversion, TextRoundTripsThroughAPath) {
  for (const std::string text : {"", "a", "C:\\Teile\\K\xC3\xA4se.ipt", "/srv/\xE6\x97\xA5/x.idw", "a b  c"}) {
    EXPECT_EQ(TextFromPath(PathFromText(text)), text) << ::testing::PrintToString(text);
  }
}

TEST(PathConversion, BytesThatAreNoUtf8) {
  const std::string western = "\xE9t\xE9.ini";  // "été.ini" in a Western code page
#ifdef _WIN32
  // Windows names are characters: the bytes are read as Latin-1, so the
  // file gets the name a Western code page meant.
  EXPECT_EQ(PathFromText(western).native(), L"\u00E9t\u00E9.ini");
  EXPECT_EQ(TextFromPath(PathFromText(western)), "\xC3\xA9t\xC3\xA9.ini");
  // A name the system holds that is no Unicode still gives text.
  EXPECT_EQ(TextFromPath(std::filesystem::path(L"a\xD800.ini")), "a\xEF\xBF\xBD.ini");
#else
  // POSIX names are bytes: they pass through untouched.
  EXPECT_EQ(PathFromText(western).native(), western);
  EXPECT_EQ(TextFromPath(PathFromText(western)), western);
#endif
}

}  // namespace
}  // namespace korrin
