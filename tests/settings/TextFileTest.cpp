#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <optional>

#include "settings/TextFile.h"
#include "settings/TextFileFaults.h"
#include "support/FolderInTheWay.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

TEST(TextFile, ReadsCrLfAndLfLinesAlike) {
  testing::TemporaryFolder folder;
  const struct {
    const char* bytes;
    Lines expected;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},            // no final line end
      {"", {}},                          // empty file: no line
      {"\r\n", {""}},                    // one empty line
      {"a\rb\r\n", {"a\rb"}},            // a lone CR is part of the line
      {"x\r\r\n", {"x\r"}},              // only the CR before LF belongs to the line end
      {"\n\n", {"", ""}},
  };
  for (const auto& c : cases) {
    folder.Write("f.ini", c.bytes);
    const TextFileRead read = ReadTextFile(folder / "f.ini");
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(read.lines, c.expected) << ::testing::PrintToString(std::string(c.bytes));
  }
}

TEST(TextFile, KeepsBinaryBytesAndLongLines) {
  testing::TemporaryFolder folder;
  // Ctrl-Z ends a file opened in text mode on Windows; CR LF becomes LF there.
  const std::string binary("A=\0\xFF\x1A\r\x01", 7);
  const std::string long_line(5 * 1024 * 1024, 'x');
  folder.Write("f.ini", binary + "\r\n" + long_line);
  const TextFileRead read = ReadTextFile(folder / "f.ini");
  ASSERT_TRUE(read.complete());
  ASSERT_EQ(read.lines.size(), 2u);
  EXPECT_EQ(read.lines[0], binary);
  EXPECT_EQ(read.lines[1], long_line);
}

TEST(TextFile, TellsAFailedOpenFromAFailedRead) {
  testing::TemporaryFolder folder;
  const TextFileRead missing = ReadTextFile(folder / "missing.ini");
  EXPECT_EQ(missing.outcome, TextFileRead::Outcome::OpenFailed);
  EXPECT_EQ(missing.failure, (Failure{ENOENT, "No such file or directory"}));

  // A folder cannot be read as a file: POSIX opens it and fails the read,
  // Windows fails the open.
  const TextFileRead folder_read = ReadTextFile(folder.path());
  EXPECT_EQ(folder_read.outcome, testing::kFolderOpensAsFile ? TextFileRead::Outcome::ReadFailed
                                                              : TextFileRead::Outcome::OpenFailed);
  EXPECT_EQ(folder_read.failure, testing::kFolderRead);
  EXPECT_TRUE(folder_read.lines.empty());
}

#ifndef _WIN32
// Reads the path on a thread of its own; a read that still waits after the
// deadline counts as hung.
std::optional<TextFileRead> ReadWithin(const std::filesystem::path& path, std::chrono::seconds deadline) {
  auto reading = std::async(std::launch::async, [path] { return ReadTextFile(path); });
  if (reading.wait_for(deadline) == std::future_status::ready) return reading.get();
  // A writer that comes and goes lets the waiting open return, and the read
  // then ends.
  const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (writer >= 0) ::close(writer);
  reading.wait();
  return std::nullopt;
}

TEST(TextFile, AnythingButARegularFileReadsNoLineAndNeverWaits) {
  testing::TemporaryFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo.ini").c_str(), 0600), 0);
  std::filesystem::create_directory(folder / "folder.ini");
  std::error_code error;
  std::filesystem::create_symlink("fifo.ini", folder / "link.ini", error);
  ASSERT_FALSE(error) << error.message();
  const struct {
    std::filesystem::path path;
    Failure failure;
  } cases[] = {
      {folder / "fifo.ini", {EINVAL, "Is a FIFO, not a regular file"}},
      {folder / "link.ini", {EINVAL, "Is a FIFO, not a regular file"}},  // links are followed
      {"/dev/null", {EINVAL, "Is a device, not a regular file"}},
      {folder / "folder.ini", {EISDIR, "Is a directory"}},
  };
  for (const auto& c : cases) {
    const std::optional<TextFileRead> read = ReadWithin(c.path, std::chrono::seconds(5));
    ASSERT_TRUE(read.has_value()) << c.path << ": the read waited";
    EXPECT_EQ(read->outcome, TextFileRead::Outcome::ReadFailed) << c.path;
    EXPECT_EQ(read->failure, c.failure) << c.path;
    EXPECT_TRUE(read->lines.empty()) << c.path;
  }
}
#endif

TEST(TextFile, WritesEveryLineWithCrLf) {
  testing::TemporaryFolder folder;
  ASSERT_TRUE(WriteTextFile(folder / "f.ini", {"[A]", "", "k=v"}).ok());
  EXPECT_EQ(folder.Read("f.ini"), "[A]\r\n\r\nk=v\r\n");
  ASSERT_TRUE(WriteTextFile(folder / "f.ini", {}).ok());
  EXPECT_EQ(folder.Read("f.ini"), "");
  EXPECT_EQ(folder.Listing(), "f.ini");  // no temporary file left behind
}

#ifndef _WIN32
// Windows files carry no permission bits to keep: their access list comes
// from the folder, and the one attribute std::filesystem maps (read-only)
// forbids the replacement itself.
TEST(TextFile, AReplacedFileKeepsItsPermissions) {
  using std::filesystem::perms;
  testing::TemporaryFolder folder;
  folder.Write("f.ini", "old\r\n");
  const perms wanted = perms::owner_read | perms::owner_write | perms::group_read;
  std::filesystem::permissions(folder / "f.ini", wanted);
  ASSERT_TRUE(WriteTextFile(folder / "f.ini", {"new"}).ok());
  EXPECT_EQ(std::filesystem::status(folder / "f.ini").permissions(), wanted);
}
#endif

TEST(TextFile, AFailedWriteLeavesTheOldFileAndNoLitter) {
  testing::TemporaryFolder folder;
  // No folder to put the file in: the start fails.
  const Status no_folder = WriteTextFile(folder / "missing" / "f.ini", {"x"});
  EXPECT_FALSE(no_folder.ok());
  EXPECT_EQ(no_folder.failure().number, ENOENT);

  // The target is a folder: writing succeeds, the rename over it fails.
  std::filesystem::create_directory(folder / "taken.ini");
  folder.Write("taken.ini/inside", "kept");
  const Status over_folder = WriteTextFile(folder / "taken.ini", {"x"});
  EXPECT_FALSE(over_folder.ok());
  EXPECT_EQ(over_folder.failure(), testing::kFileOntoFolder);
  EXPECT_EQ(folder.Read("taken.ini/inside"), "kept");
  EXPECT_EQ(folder.Listing(), "taken.ini");
}

// A full disk or a failing device at each step of a save: the old file stays
// whole, nothing is left beside it, and the failure is the call's own.
TEST(TextFile, AFailingStepOfTheReplacementKeepsTheOldFile) {
  using text_file_faults::Call;
  const struct {
    Call call;
    int error;
    const char* what;
  } cases[] = {
      {Call::Write, ENOSPC, "write, disk full"},
      {Call::Write, EIO, "write, I/O error"},
      {Call::Sync, EIO, "flush to disk, I/O error"},
      {Call::Rename, EIO, "rename, I/O error"},
  };
  for (const auto& c : cases) {
    testing::TemporaryFolder folder;
    folder.Write("f.ini", "old\r\n");
    text_file_faults::FailCall(c.call, 1, c.error);
    const Status written = WriteTextFile(folder / "f.ini", {"new"});
    text_file_faults::ClearFaults();
    ASSERT_FALSE(written.ok()) << c.what;
    EXPECT_EQ(written.failure(), (Failure{c.error, std::strerror(c.error)})) << c.what;
    EXPECT_EQ(folder.Read("f.ini"), "old\r\n") << c.what;
    EXPECT_EQ(folder.Listing(), "f.ini") << c.what;
  }
  // The faults were one-off: the next save goes through.
  testing::TemporaryFolder folder;
  ASSERT_TRUE(WriteTextFile(folder / "f.ini", {"new"}).ok());
  EXPECT_EQ(folder.Read("f.ini"), "new\r\n");
}

TEST(TextFile, AnUncommittedReplacementChangesNothing) {
  testing::TemporaryFolder folder;
  folder.Write("f.ini", "old\r\n");
  {
    Result<FileReplacement> replacement = FileReplacement::Start(folder / "f.ini");
    ASSERT_TRUE(replacement.ok());
    EXPECT_EQ(folder.Listing().find("f.ini.korrin-"), 6u);  // the temporary file sits beside
  }
  EXPECT_EQ(folder.Read("f.ini"), "old\r\n");
  EXPECT_EQ(folder.Listing(), "f.ini");
}

TEST(TextFile, CopyReplacesTheTargetWithTheSourceBytes) {
  testing::TemporaryFolder folder;
  folder.Write("a", std::string("1\r\n2\0", 5));
  folder.Write("b", "old");
  ASSERT_TRUE(CopyFileReplacing(folder / "a", folder / "b").ok());
  EXPECT_EQ(folder.Read("b"), std::string("1\r\n2\0", 5));
  EXPECT_FALSE(CopyFileReplacing(folder / "missing", folder / "b").ok());
  EXPECT_EQ(folder.Read("b"), std::string("1\r\n2\0", 5));
}

}  // namespace
}  // namespace korrin
