#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/HostInstallation.h"
#include "host/ShellLink.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;

void Put(std::string& bytes, std::size_t offset, std::uint32_t value, std::size_t width) {
  if (bytes.size() < offset + width) bytes.resize(offset + width, '\0');
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Wide(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text + u'\0') {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

struct LinkParts {
  std::string localBase;
  std::string suffix;
  std::u16string wideBase;  // written with wide offsets when not empty
  bool withIdList = false;
};

// A shell link as the system's shell writes one: header, optional item ID
// list, then the link info with a volume ID and the path strings.
std::string MakeLink(const LinkParts& parts) {
  std::string link;
  Put(link, 0, 0x4C, 4);
  const std::string classId = "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46"s;
  link.replace(4, 16, classId);
  Put(link, 0x14, 0x02 | (parts.withIdList ? 0x01 : 0) | 0x80, 4);
  Put(link, 0x4B, 0, 1);
  if (parts.withIdList) {
    Put(link, link.size(), 6, 2);
    link += "\x04\x00\xAA\xBB\x00\x00"s;
  }
  const bool wide = !parts.wideBase.empty();
  const std::uint32_t headerSize = wide ? 0x24 : 0x1C;
  std::string info(headerSize, '\0');
  const std::string volume = "\x10\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x10\x00\x00\x00"s;
  Put(info, 12, static_cast<std::uint32_t>(info.size()), 4);
  info += volume;
  Put(info, 16, static_cast<std::uint32_t>(info.size()), 4);
  info += parts.localBase + '\0';
  Put(info, 28, static_cast<std::uint32_t>(info.size()), 4);
  info += parts.suffix + '\0';
  if (wide) {
    Put(info, 32, static_cast<std::uint32_t>(info.size()), 4);
    info += Wide(parts.wideBase);
    Put(info, 36, static_cast<std::uint32_t>(info.size()), 4);
    info += Wide(u"");
  }
  Put(info, 0, static_cast<std::uint32_t>(info.size()), 4);
  Put(info, 4, headerSize, 4);
  Put(info, 8, 0x1, 4);
  return link + info + "\x00\x00\x00\x00"s;  // no extra data blocks
}

TEST(ShellLink, ReadsTheLocalTarget) {
  EXPECT_EQ(ShellLinkLocalTarget(MakeLink({"C:\\Projects\\", "demo.ipj", u"", false})), "C:\\Projects\\demo.ipj");
  EXPECT_EQ(ShellLinkLocalTarget(MakeLink({"C:\\Projects\\demo.ipj", "", u"", true})), "C:\\Projects\\demo.ipj");
  // The wide copy keeps characters the narrow one could not.
  EXPECT_EQ(ShellLinkLocalTarget(MakeLink({"C:\\Prosjekt\\b?.ipj", "", u"C:\\Prosjekt\\b\u00F8.ipj", false})),
            "C:\\Prosjekt\\b\xC3\xB8.ipj");
}

TEST(ShellLink, DamagedOrForeignBytesGiveNothing) {
  const std::string link = MakeLink({"C:\\Projects\\demo.ipj", "", u"C:\\Projects\\demo.ipj", true});
  // Every cut of a good link is a damaged one; none may read past its end.
  for (std::size_t size = 0; size < link.size() - 4; ++size) {
    EXPECT_EQ(ShellLinkLocalTarget(link.substr(0, size)), std::nullopt) << size;
  }
  std::string wrongClass = link;
  wrongClass[8] = 'x';
  EXPECT_EQ(ShellLinkLocalTarget(wrongClass), std::nullopt);
  std::string farOffset = MakeLink({"C:\\a.ipj", "", u"", false});
  Put(farOffset, 0x4C + 16, 0xFFFFFFF0, 4);
  EXPECT_EQ(ShellLinkLocalTarget(farOffset), std::nullopt);
  EXPECT_EQ(ShellLinkLocalTarget("[Project]\nName=demo\n"), std::nullopt);
}

TEST(ResolveShortcut, OnlyNamesEndingInLnkAreResolved) {
  testing::TemporaryFolder folder;
  const std::string link = MakeLink({"/srv/projects/demo.ipj", "", u"", false});
  folder.Write("demo.ipj.LNK", link);
  folder.Write("garbage.lnk", "not a link");
  folder.Write("demo.ipj.link", link);
  EXPECT_EQ(ResolveShortcut((folder / "demo.ipj.LNK").string()), "/srv/projects/demo.ipj");
  for (const char* unchanged : {"garbage.lnk", "demo.ipj.link", "missing.lnk"}) {
    EXPECT_EQ(ResolveShortcut((folder / unchanged).string()), (folder / unchanged).string()) << unchanged;
  }
}

TEST(ResolveShortcut, SetHostProjectWritesTheTargetAndTellsTheCaller) {
  testing::TemporaryFolder folder;
  SqliteRegistry registry((folder / "registry").string());
  const std::string key = HostUserKey("RegistryVersion6.0", kExternalReferencesKey);
  ASSERT_TRUE(registry.CreateRegistryKey(RegistryRoot::CurrentUser, key, ""));
  folder.Write("Demo.lnk", MakeLink({"/srv/projects/", "demo.ipj", u"", false}));
  std::string project = (folder / "Demo.lnk").string();
  ASSERT_TRUE(SetHostProject(registry, "RegistryVersion6.0", project));
  EXPECT_EQ(project, "/srv/projects/demo.ipj");
  RegistryValue written;
  ASSERT_TRUE(registry.ReadRegistryValue(RegistryRoot::CurrentUser, key, "Path File", written));
  EXPECT_EQ(written, RegistryValue("/srv/projects/demo.ipj"s));
}

}  // namespace
}  // namespace korrin
