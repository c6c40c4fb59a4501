#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/HostInstallation.h"
#include "host/ShellLink.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/ShellLinkBytes.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using namespace std::string_literals;

using testing::LinkParts;
using testing::MakeLink;
using testing::Put;

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
