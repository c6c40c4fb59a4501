#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <future>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "filelist/DropCollection.h"
#include "support/RecordingEventPump.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace korrin {
namespace {

class DropCollectionTest : public ::testing::Test {
 protected:
  // Files named as paths below the folder; folders come with them.
  void Files(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      std::filesystem::create_directories((folder_ / name).parent_path());
      folder_.Write(name, "x");
    }
  }
  // A name written with "/" names the same place on every platform.
  std::string At(const std::string& name) const { return (folder_ / name).make_preferred().string(); }
  DropCollection Collection(const std::string& filter) {
    return DropCollection(filter, dialogs_, events_, abort_, [this](const std::string& text) { status_.push_back(text); });
  }
  std::string Question(const std::string& name) const { return "Main Directory: " + At(name) + "\rRecurse SubDirectories ?"; }
  // A symbolic link at name to target (relative to the link's folder, as written).
  void Link(const std::string& target, const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories((folder_ / name).parent_path(), error);
    std::filesystem::create_symlink(target, folder_ / name, error);
    // Windows makes symbolic links for administrators and in developer mode
    // only, and Wine makes none: the link tests need a system that does.
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  }
  // The file's path with every link resolved.
  std::string Real(const std::string& name) const { return std::filesystem::canonical(folder_ / name).string(); }

  testing::TemporaryFolder folder_;
  testing::ScriptedDialogs dialogs_;
  testing::RecordingEventPump events_;
  AbortFlag abort_;
  std::vector<std::string> status_;
};

TEST_F(DropCollectionTest, AWalkCollectsTheDeepestFilesFirstAndShowsEachFolder) {
  Files({"a/x.ipt", "a/notes.doc", "a/b/y.IPT", "a/b/c/z.ipt"});
  DropCollection drop = Collection("*.IPT");
  drop.AddSubFolders(At("a"));
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("a/b/c/z.ipt"), At("a/b/y.IPT"), At("a/x.ipt")}));
  EXPECT_EQ(status_, (std::vector<std::string>{"Scanning: " + At("a"), "Scanning: " + At("a/b"),
                                               "Scanning: " + At("a/b/c")}));
}

TEST_F(DropCollectionTest, FoldersWithSubfoldersAskUntilTheUserSaysYes) {
  Files({"flat/f.ipt", "one/o.ipt", "one/sub/o2.ipt", "two/t.ipt", "two/sub/t2.ipt", "three/r.ipt", "three/sub/r2.ipt"});
  dialogs_.ExpectYesNo(Question("one"), false).ExpectYesNo(Question("two"), true);
  DropCollection drop = Collection("*.IPT");
  drop.AddDroppedItems({At("flat"), At("one"), At("two"), At("three")});
  // "flat" has no subfolders: no question. After the Yes, "three" recurses unasked.
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("flat/f.ipt"), At("one/o.ipt"), At("two/sub/t2.ipt"),
                                                    At("two/t.ipt"), At("three/sub/r2.ipt"), At("three/r.ipt")}));
}

TEST_F(DropCollectionTest, FilesMatchTheFilterAndTextFilesAreReadAsLists) {
  Files({"bracket.prt.7", "plate.idw", "plate2.idw", "other.ipt"});
  folder_.Write("notes.txt", At("plate.idw") + "\r\n" + At("plate.idw") + "\r\n" + At("missing.idw") + "\r\njunk line\r\n" +
                                 At("other.ipt") + "\n" + At("plate2.idw"));
  DropCollection proe = Collection("*.PRT*");
  proe.AddDroppedItems({At("bracket.prt.7"), At("plate.idw")});
  EXPECT_EQ(proe.paths(), std::vector<std::string>{At("bracket.prt.7")});

  DropCollection drawings = Collection("*.IDW");
  drawings.AddDroppedItems({At("notes.txt"), At("other.ipt")});
  // The list keeps a path twice; the conversion list takes it once.
  EXPECT_EQ(drawings.paths(), (std::vector<std::string>{At("plate.idw"), At("plate.idw"), At("plate2.idw")}));
}

#ifndef _WIN32
// A FIFO or a device dropped as a list, or named by one, gives nothing and
// never holds the drop: the open of a FIFO would wait for a writer.
TEST_F(DropCollectionTest, AListThatIsNoRegularFileGivesNothingAndNeverWaits) {
  Files({"plate.idw"});
  ASSERT_EQ(::mkfifo(At("pipe.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(At("pipe.idw").c_str(), 0600), 0);
  folder_.Write("list.txt", At("pipe.idw") + "\r\n/dev/null\r\n" + At("plate.idw") + "\r\n");
  std::error_code error;
  std::filesystem::create_symlink("/dev/null", folder_ / "null.txt", error);
  ASSERT_FALSE(error) << error.message();
  auto collecting = std::async(std::launch::async, [this] {
    DropCollection drawings = Collection("*.IDW");
    drawings.AddDroppedItems({At("pipe.txt"), At("null.txt"), At("list.txt")});
    return drawings.paths();
  });
  if (collecting.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // A writer that comes and goes lets the waiting open return, and the
    // read then ends.
    const int writer = ::open(At("pipe.txt").c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    collecting.wait();
    FAIL() << "the drop waited on the FIFO";
  }
  EXPECT_EQ(collecting.get(), std::vector<std::string>{At("plate.idw")});
}
#endif

TEST_F(DropCollectionTest, AnAbortStopsTheWalkKeepingWhatWasCollected) {
  Files({"a/1.ipt", "a/2.ipt", "a/3.ipt", "a/4.ipt"});
  events_.onYield = [this](int yield) {
    if (yield == 3) abort_.Raise();
  };
  DropCollection drop = Collection("*.IPT");
  drop.AddSubFolders(At("a"));
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("a/1.ipt"), At("a/2.ipt")}));
}

TEST_F(DropCollectionTest, RelativeLinesOfAListFileNameFilesBesideTheList) {
  Files({"lists/parts/a.idw", "lists/c.idw", "b.idw", "d.idw"});
  folder_.Write("lists/list.txt", "parts/a.idw\r\n../b.idw\r\n./c.idw\r\n" + At("d.idw") + "\r\nlists/c.idw\r\n");
  DropCollection drop = Collection("*.IDW");
  drop.AddDroppedItems({At("lists/list.txt")});
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("lists/parts/a.idw"), At("b.idw"), At("lists/c.idw"), At("d.idw")}));
}

TEST_F(DropCollectionTest, AListFileYieldsForEveryLineAndAnAbortEndsTheDrop) {
  Files({"1.idw", "2.idw", "3.idw", "4.idw", "late.idw"});
  folder_.Write("list.txt", At("1.idw") + "\r\n\r\n" + At("2.idw") + "\n" + At("3.idw") + "\n" + At("4.idw"));
  events_.onYield = [this](int yield) {
    if (yield == 4) abort_.Raise();
  };
  DropCollection drop = Collection("*.IDW");
  drop.AddDroppedItems({At("list.txt"), At("late.idw")});
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("1.idw"), At("2.idw")}));
  EXPECT_EQ(events_.yields, 4);
}

TEST_F(DropCollectionTest, ATreeFolderAsksThenTakesItsOwnFiles) {
  Files({"t/own.ipt", "t/sub/deep.ipt"});
  dialogs_.ExpectYesNo(Question("t"), false).ExpectYesNo(Question("t"), true);
  DropCollection no = Collection("*.IPT");
  no.AddTreeFolder(At("t"));
  EXPECT_EQ(no.paths(), std::vector<std::string>{At("t/own.ipt")});
  DropCollection yes = Collection("*.IPT");
  yes.AddTreeFolder(At("t"));
  EXPECT_EQ(yes.paths(), (std::vector<std::string>{At("t/sub/deep.ipt"), At("t/own.ipt")}));
  // A folder that cannot be read gives nothing, and no failure.
  DropCollection missing = Collection("*.IPT");
  missing.AddSubFolders(At("gone"));
  EXPECT_TRUE(missing.paths().empty());
}

TEST_F(DropCollectionTest, AWalkEntersEachRealFolderOnceAndLinkedFoldersAfterTheTree) {
  Files({"a/x.ipt", "a/b/y.ipt", "a/b/c/z.ipt", "elsewhere/shared/s.ipt"});
  Link("..", "a/b/loop");                         // back up the walk
  Link("b/c", "a/0-into-c");                      // into the tree, found before the real c
  Link("../../elsewhere/shared", "a/b/shared-once");  // out of the tree, twice
  Link("../elsewhere/shared", "a/shared-twice");
  if (HasFatalFailure() || IsSkipped()) return;
  DropCollection drop = Collection("*.IPT");
  drop.AddSubFolders(At("a"));
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("a/b/c/z.ipt"), At("a/b/y.ipt"), At("a/x.ipt"),
                                                    At("a/b/shared-once/s.ipt")}));
  EXPECT_EQ(status_, (std::vector<std::string>{"Scanning: " + At("a"), "Scanning: " + At("a/b"),
                                               "Scanning: " + At("a/b/c"), "Scanning: " + At("a/b/shared-once")}));

  // A tree folder linked inside itself gives its own files once.
  Link(".", "a/b/c/self");
  dialogs_.ExpectYesNo(Question("a/b/c"), true);
  DropCollection tree = Collection("*.IPT");
  tree.AddTreeFolder(At("a/b/c"));
  EXPECT_EQ(tree.paths(), std::vector<std::string>{At("a/b/c/z.ipt")});
}

TEST_F(DropCollectionTest, ALinkedFileIsListedAsTheFileItNamesOnce) {
  Files({"a/x.ipt", "elsewhere/far.ipt", "elsewhere/notes.doc"});
  Link("../x.ipt", "a/sub/copy-of-x.ipt");
  Link("../elsewhere/far.ipt", "a/far-link.ipt");
  Link("../elsewhere/far.ipt", "a/far-again.ipt");
  Link("../elsewhere/notes.doc", "a/notes.ipt");  // the file it names is no part
  Link("../elsewhere/gone.ipt", "a/broken.ipt");
  if (HasFatalFailure() || IsSkipped()) return;
  DropCollection drop = Collection("*.IPT");
  drop.AddSubFolders(At("a"));
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{Real("a/x.ipt"), Real("elsewhere/far.ipt")}));
}

TEST_F(DropCollectionTest, AFileUnderTwoNamesIsListedOnceAndWhatIsNoFileNever) {
  Files({"a/x.ipt", "a/y.ipt"});
  std::filesystem::create_directories(folder_ / "a/sub");
  std::error_code error;
  std::filesystem::create_hard_link(folder_ / "a/x.ipt", folder_ / "a/sub/hard-x.ipt", error);
  if (error) GTEST_SKIP() << "no hard links here: " << error.message();
#ifndef _WIN32  // Windows file systems hold no named pipes
  ASSERT_EQ(::mkfifo((folder_ / "a/pipe.ipt").c_str(), 0600), 0);
#endif
  DropCollection drop = Collection("*.IPT");
  drop.AddSubFolders(At("a"));
  // The deeper name comes first in a walk, and so is the one kept.
  EXPECT_EQ(drop.paths(), (std::vector<std::string>{At("a/sub/hard-x.ipt"), At("a/y.ipt")}));
}

TEST_F(DropCollectionTest, ASinkReceivesEachPathAsItIsFoundAndNothingIsKept) {
  Files({"a/x.ipt", "a/b/y.ipt", "list.txt"});
  folder_.Write("list.txt", At("a/x.ipt") + "\r\n" + At("a/b/y.ipt") + "\r\n");
  DropCollection drop = Collection("*.IPT");
  std::vector<std::string> sent;
  drop.SendPathsTo([&sent](std::string&& path) { sent.push_back(std::move(path)); });
  drop.AddSubFolders(At("a"));
  drop.AddFile(At("a/b/y.ipt"));  // found already: not sent again
  drop.AddListFile(At("list.txt"));
  EXPECT_EQ(sent, (std::vector<std::string>{At("a/b/y.ipt"), At("a/x.ipt"), At("a/x.ipt"), At("a/b/y.ipt")}));
  EXPECT_TRUE(drop.paths().empty());
}

}  // namespace
}  // namespace korrin
