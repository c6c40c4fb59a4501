// korrin-batch runs whose export folder fills up, is read-only or goes away,
// and whose sources go away or are replaced before their turn: each entry
// gets its own outcome and reason, the run never stops or hangs on it, and
// nothing already written is damaged.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/BatchFixture.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::Converted;
using testing::Document;
using testing::Joined;
using testing::kStarted;
using testing::Lines;
using testing::SplitLines;

// A small tmpfs mounted over a folder for one test, unmounted with it.
// Mounting needs root, which CI has; without it the test says it skipped.
class ScopedTmpfs {
 public:
  ScopedTmpfs(const fs::path& at, const std::string& options) : at_(at) {
    mounted_ = ::mount("korrin-test", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ScopedTmpfs(const ScopedTmpfs&) = delete;
  ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;
  ~ScopedTmpfs() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  const std::string& error() const { return error_; }
  // Root writes through any mode bits; a file system mounted read-only
  // refuses even root.
  bool MakeReadOnly() const {
    return ::mount(nullptr, at_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
  }

 private:
  fs::path at_;
  bool mounted_ = false;
  std::string error_;
};

// The names in a folder, sorted; temporary files of a save would show here.
std::string Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

bool IsWholeStep(const std::string& bytes) {
  return bytes.starts_with("ISO-10303-21;") && bytes.ends_with("END-ISO-10303-21;\n");
}

// The lines of an entry whose export failed with the reason.
Lines FailedExport(const std::string& source, const std::string& output, const std::string& reason) {
  return {"Opening: " + source, "Checking document references...", "Exporting document: " + output,
          "Error saving: " + reason, "Closing document(s)"};
}

class FileSystemFaultTest : public testing::BatchFixture {
 protected:
  // The export folder as a tmpfs of the size; false (and the test skipped)
  // where nothing can be mounted.
  bool MountExportFolder(const std::string& options) {
    tmpfs_ = std::make_unique<ScopedTmpfs>(folder_ / "out", options);
    return tmpfs_->mounted();
  }

  std::unique_ptr<ScopedTmpfs> tmpfs_;
};

TEST_F(FileSystemFaultTest, AFullExportFolderFailsEachEntryThatDoesNotFitAndTheRunGoesOn) {
  // 128 KiB: the bracket's, housing's, pin's and washer's STEP files (about
  // 50, 31, 11 and 9 KB) fit beside the old gear file, the gear's (300 KB)
  // does not.
  if (!MountExportFolder("size=128k")) GTEST_SKIP() << "no tmpfs can be mounted here (needs root): " << tmpfs_->error();
  folder_.Write("out/gear.stp", "the gear of an earlier run\r\n");
  Lines parts;
  for (const char* name : {"bracket", "gear", "housing", "pin", "washer"}) {
    parts.push_back(Sample(std::string("parts/") + name + ".ipt"));
  }
  const testing::ProgramRun run = Export("*.IPT", "*.STP", parts);
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const std::string gear = Out("gear.stp");
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, Converted(parts[0], Out("bracket.STP")),
                    FailedExport(parts[1], Out("gear.STP"),
                                 gear + ": cannot write " + gear + ": No space left on device"),
                    Converted(parts[2], Out("housing.STP")), Converted(parts[3], Out("pin.STP")),
                    Converted(parts[4], Out("washer.STP")), {"Ready", "Summary: 4 converted, 0 skipped, 1 failed"}}));
  EXPECT_EQ(folder_.Read("out/gear.stp"), "the gear of an earlier run\r\n");
  EXPECT_EQ(Listing(Out("")), "bracket.stp gear.stp housing.stp pin.stp washer.stp");
  for (const char* name : {"bracket", "housing", "pin", "washer"}) {
    EXPECT_TRUE(IsWholeStep(folder_.Read(std::string("out/") + name + ".stp"))) << name;
  }
  EXPECT_NE(Summary().find(parts[1] + ",failed,Error saving: " + gear + ": cannot write " + gear +
                           ": No space left on device\r\n"),
            std::string::npos)
      << Summary();
}

TEST_F(FileSystemFaultTest, AReadOnlyExportFolderFailsEveryEntryWithTheReasonAndKeepsItsFiles) {
  // Root writes through mode bits, so as root the folder is a tmpfs mounted
  // read-only; any other user gets a folder without write permission.
  std::string reason = "Permission denied";
  if (::geteuid() == 0) {
    if (!MountExportFolder("size=64k")) GTEST_SKIP() << "root, but no tmpfs can be mounted: " << tmpfs_->error();
    folder_.Write("out/pin.sat", "the pin of an earlier run\r\n");
    ASSERT_TRUE(tmpfs_->MakeReadOnly()) << std::strerror(errno);
    reason = "Read-only file system";
  } else {
    folder_.Write("out/pin.sat", "the pin of an earlier run\r\n");
    fs::permissions(Out(""), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const std::string pin = Sample("parts/pin.ipt");
  const std::string washer = Sample("parts/washer.ipt");
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {pin, washer});
  if (::geteuid() != 0) fs::permissions(Out(""), fs::perms::owner_all);
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted, FailedExport(pin, Out("pin.SAT"), reason), FailedExport(washer, Out("washer.SAT"), reason),
                    {"Ready", "Summary: 0 converted, 0 skipped, 2 failed"}}));
  EXPECT_EQ(folder_.Read("out/pin.sat"), "the pin of an earlier run\r\n");
  EXPECT_EQ(Listing(Out("")), "pin.sat");
}

TEST_F(FileSystemFaultTest, AnExportFolderRemovedDuringTheRunFailsTheEntriesAfterIt) {
  // Copies beside the samples keep their references; the slow one's views
  // keep the run waiting before its export, while the folder goes.
  fs::copy_file(Sample("drawings/stepped-shaft.idw"), Sample("drawings/a-slow.idw"));
  fs::copy_file(Sample("drawings/bracket.idw"), Sample("drawings/b-bracket.idw"));
  const Lines drawings = {Sample("drawings/a-slow.idw"), Sample("drawings/b-bracket.idw")};
  const testing::ProgramRun run =
      BatchActing({"--import", "*.IDW", "--export", "*.DWF", "--export-folder", Out(""), drawings[0], drawings[1]},
                  "Updating drawing\n", [&](pid_t) { fs::remove_all(Out("")); });
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const std::string gone = "No such file or directory";
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Opening: " + drawings[0], "Checking document references...", "Updating drawing",
                     "Exporting document: " + Out("a-slow.DWF"), "Error saving: " + Out("a-slow.dwf: ") + gone,
                     "Closing document(s)"},
                    FailedExport(drawings[1], Out("b-bracket.DWF"), Out("b-bracket.dwf: ") + gone),
                    {"Ready", "Summary: 0 converted, 0 skipped, 2 failed"}}));
  EXPECT_FALSE(fs::exists(Out("")));
}

TEST_F(FileSystemFaultTest, ASourceGoneOrReplacedBeforeItsTurnFailsItsEntryWithTheReason) {
  fs::create_directories(folder_ / "docs");
  // The first document keeps the host busy after its open, so the others
  // change well before their turn.
  folder_.Write("docs/a-slow.ipt", Document("part", "busy-after-open 1500\r\n"));
  for (const char* name : {"b-removed", "c-folder", "d-fifo", "e-device", "f-fine"}) {
    folder_.Write(std::string("docs/") + name + ".ipt", Document("part"));
  }
  const auto doc = [&](const std::string& name) { return (folder_ / "docs" / (name + ".ipt")).string(); };
  const testing::ProgramRun run =
      BatchActing({"--import", "*.IPT", "--export", "*.SAT", "--export-folder", Out(""), "--summary",
                   (folder_ / "summary.csv").string(), (folder_ / "docs").string()},
                  "Opening: " + doc("a-slow") + "\n", [&](pid_t) {
                    fs::remove(doc("b-removed"));
                    fs::remove(doc("c-folder"));
                    fs::create_directory(doc("c-folder"));
                    fs::remove(doc("d-fifo"));
                    ::mkfifo(doc("d-fifo").c_str(), 0600);
                    fs::remove(doc("e-device"));
                    fs::create_symlink("/dev/null", doc("e-device"));
                  });
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const std::pair<const char*, const char*> failed[] = {{"b-removed", "No such file or directory"},
                                                        {"c-folder", "Is a directory"},
                                                        {"d-fifo", "Is a FIFO, not a regular file"},
                                                        {"e-device", "Is a device, not a regular file"}};
  Lines expected = Joined({kStarted, Converted(doc("a-slow"), Out("a-slow.SAT"))});
  for (const auto& [name, reason] : failed) {
    expected.insert(expected.end(), {"Error opening: " + doc(name) + "  " + reason, "Closing document(s)"});
  }
  expected = Joined({expected, Converted(doc("f-fine"), Out("f-fine.SAT")),
                     {"Ready", "Summary: 2 converted, 0 skipped, 4 failed"}});
  EXPECT_EQ(SplitLines(run.out), expected);
  EXPECT_EQ(Listing(Out("")), "a-slow.sat f-fine.sat");
  std::string summary = "path,outcome,reason\r\n" + doc("a-slow") + ",converted,\r\n";
  for (const auto& [name, reason] : failed) {
    const std::string line = "Error opening: " + doc(name) + "  " + reason;
    summary += doc(name) + ",failed," + (line.find(',') != std::string::npos ? '"' + line + '"' : line) + "\r\n";
  }
  EXPECT_EQ(Summary(), summary + doc("f-fine") + ",converted,\r\n");
}

TEST_F(FileSystemFaultTest, AnImportSourceThatIsNoRegularFileFailsItsEntryWithoutEndingTheRun) {
  // The host's STEP reader would wait on the FIFO, and a failed open of an
  // import ends the run at the reopen.
  fs::create_directories(folder_ / "imports");
  const auto file = [&](const std::string& name) { return (folder_ / "imports" / name).string(); };
  ASSERT_EQ(::mkfifo(file("a-pipe.stp").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", file("b-null.stp"));
  fs::copy_file(Sample("import/hole-plate-gap.stp"), file("c-gap.stp"));
  const testing::ProgramRun run = Export("*.STP", "*.IAM", {file("a-pipe.stp"), file("b-null.stp"), file("c-gap.stp")});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(SplitLines(run.out),
            Joined({kStarted,
                    {"Error opening: " + file("a-pipe.stp") + "  Is a FIFO, not a regular file", "Closing document(s)",
                     "Error opening: " + file("b-null.stp") + "  Is a device, not a regular file", "Closing document(s)",
                     "Opening: " + file("c-gap.stp"), "Exporting document: " + Out("c-gap.IPT"), "Closing document(s)",
                     "Ready", "Summary: 1 converted, 0 skipped, 2 failed"}}));
  EXPECT_TRUE(fs::is_regular_file(Out("c-gap.ipt")));
}

TEST_F(FileSystemFaultTest, AFifoGivenAsAListFileGivesNoEntryAndNeverWaits) {
  const std::string list = (folder_ / "list.txt").string();
  ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0);
  const testing::ProgramRun run = Export("*.IPT", "*.SAT", {list});
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("korrin-batch: " + list + ": Is a FIFO, not a regular file; not read as a list file\n"
                         "[message] No files to convert...\n"),
            std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace korrin
