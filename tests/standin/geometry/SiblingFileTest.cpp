#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>

#include "geometry/GeometryFailure.h"
#include "geometry/SiblingFile.h"
#include "settings/TextFileFaults.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

Status WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return out ? Status() : Status(Failure{EIO, "cannot write"});
}

TEST(SiblingFile, ReplacesTheTargetOnlyWhenTheWriteSucceeds) {
  testing::TemporaryFolder folder;
  folder.Write("part.stp", "old");
  struct Case {
    const char* what;
    std::function<Status(const std::filesystem::path&)> write;
    std::optional<Failure> failure;
    const char* content;
  };
  const std::vector<Case> cases{
      {"writer fails after writing half",
       [](const std::filesystem::path& temporary) {
         (void)WriteText(temporary, "ha");
         return Status(Failure{kGeometryFailed, "the mesher gave up"});
       },
       Failure{kGeometryFailed, "cannot write " + (folder / "part.stp").string() + ": the mesher gave up"}, "old"},
      {"writer writes nothing", [](const std::filesystem::path&) { return Status(); },
       Failure{kModelFileEmpty, "cannot write " + (folder / "part.stp").string() + ": the writer wrote nothing"},
       "old"},
      {"writer succeeds", [](const std::filesystem::path& temporary) { return WriteText(temporary, "new"); },
       std::nullopt, "new"},
  };
  for (const Case& c : cases) {
    const Status status = WriteThroughSibling(folder / "part.stp", c.write);
    if (c.failure) {
      ASSERT_FALSE(status.ok()) << c.what;
      EXPECT_EQ(status.failure(), *c.failure) << c.what;
    } else {
      EXPECT_TRUE(status.ok()) << c.what;
    }
    EXPECT_EQ(folder.Read("part.stp"), c.content) << c.what;
    EXPECT_EQ(folder.Listing(), "part.stp") << c.what << ": the temporary file must be gone";
  }
}

// The model writers cannot say why a write failed; the folder's own failure
// (a full disk, a failing device) must still reach the caller by name.
TEST(SiblingFile, AFailingWriteToTheFolderGivesTheSystemsReasonAndKeepsTheOldFile) {
  testing::TemporaryFolder folder;
  folder.Write("part.stp", "old");
  const std::string target = (folder / "part.stp").string();
  const struct {
    text_file_faults::Call call;
    int error;
    const char* reason;
  } faults[] = {{text_file_faults::Call::Write, ENOSPC, "No space left on device"},
                {text_file_faults::Call::Sync, EIO, "Input/output error"},
                {text_file_faults::Call::Rename, ENOSPC, "No space left on device"}};
  for (const auto& fault : faults) {
    text_file_faults::FailCall(fault.call, 1, fault.error);
    const Status status = WriteThroughSibling(
        folder / "part.stp", [](const std::filesystem::path& temporary) { return WriteText(temporary, "new"); });
    text_file_faults::ClearFaults();
    ASSERT_FALSE(status.ok()) << fault.reason;
    EXPECT_EQ(status.failure(), (Failure{fault.error, "cannot write " + target + ": " + fault.reason}));
    EXPECT_EQ(folder.Read("part.stp"), "old") << fault.reason;
    EXPECT_EQ(folder.Listing(), "part.stp") << fault.reason << ": the temporary file must be gone";
  }
}

TEST(SiblingFile, NewFilesAreReadableAsTheUmaskAllows) {
  testing::TemporaryFolder folder;
  const mode_t mask = ::umask(022);
  const Status status = WriteThroughSibling(
      folder / "part.igs", [](const std::filesystem::path& temporary) { return WriteText(temporary, "IGES"); });
  ::umask(mask);
  ASSERT_TRUE(status.ok());
  struct stat written {};
  ASSERT_EQ(::stat((folder / "part.igs").c_str(), &written), 0);
  EXPECT_EQ(written.st_mode & 0777, 0644u);
}

TEST(SiblingFile, MissingFolderGivesTheSystemsFailure) {
  testing::TemporaryFolder folder;
  bool called = false;
  const Status status = WriteThroughSibling(folder / "no-such-folder" / "part.stl", [&](const std::filesystem::path&) {
    called = true;
    return Status();
  });
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.failure(), (Failure{ENOENT, "cannot write " + (folder / "no-such-folder" / "part.stl").string() +
                                                   ": No such file or directory"}));
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace korrin::standin
