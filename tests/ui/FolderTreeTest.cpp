#include "ui/FolderTree.h"

#include <gtest/gtest.h>

#include <QFileSystemModel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "Screenshots.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kWait = 10000;  // milliseconds

class FolderTreeTest : public ::testing::Test {
 protected:
  FolderTreeTest() {
    for (int number = 10; number < 70; ++number) fs::create_directories(folder_ / "projects" / ("f" + std::to_string(number)));
  }
  QString Path(const std::string& name) const { return QString::fromStdString((folder_ / name).string()); }
  QString TopFolder() const { return tree_.model()->data(tree_.indexAt(QPoint(1, 1)), QFileSystemModel::FilePathRole).toString(); }
  bool InView(const QString& path) const {
    const QModelIndex index = static_cast<QFileSystemModel*>(tree_.model())->index(path);
    return index.isValid() && tree_.viewport()->rect().intersects(tree_.visualRect(index));
  }
  int ChildCount(const QString& path) const {
    auto* model = static_cast<QFileSystemModel*>(tree_.model());
    return model->rowCount(model->index(path));
  }

  TemporaryFolder folder_;
  FolderTree tree_;
};

TEST_F(FolderTreeTest, OpensOnTheRememberedFolderAndKeepsItsPlaceWhenFoldersChangeOnDisk) {
  tree_.resize(300, 240);
  ASSERT_TRUE(tree_.SetSelectedFolder(Path("projects/f50")));
  tree_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree_));
  // Qt's own waiting macros report to Qt's test runner; these report here.
  ASSERT_TRUE(QTest::qWaitFor([&] { return ChildCount(Path("projects")) == 60; }, kWait));
  ASSERT_TRUE(QTest::qWaitFor([&] { return InView(Path("projects/f50")); }, kWait));
  EXPECT_EQ(tree_.SelectedFolder(), Path("projects/f50"));
  EXPECT_TRUE(SaveScreenshot(tree_, "FolderTree-opened"));

  // The user scrolls a little; then another program writes folders that
  // sort above and below, removes one, and writes a file.
  tree_.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  QTest::qWait(50);
  const QString top = TopFolder();
  ASSERT_FALSE(top.isEmpty());
  for (const char* name : {"projects/a1", "projects/a2", "projects/a3", "projects/z1"}) fs::create_directories(folder_ / name);
  fs::remove(folder_ / "projects" / "f11");
  folder_.Write("projects/f50/new.ipt", "written meanwhile");
  ASSERT_TRUE(QTest::qWaitFor([&] { return ChildCount(Path("projects")) == 63; }, kWait));
  // The model sorts the fresh rows in later, on a busy machine much later;
  // the tree puts its top row back after each change.
  static_cast<void>(QTest::qWaitFor([&] { return TopFolder() == top; }, kWait));  // checked below
  QTest::qWait(200);

  EXPECT_EQ(TopFolder().toStdString(), top.toStdString());
  EXPECT_EQ(tree_.SelectedFolder(), Path("projects/f50"));
  EXPECT_TRUE(SaveScreenshot(tree_, "FolderTree-after-changes"));
}

}  // namespace
}  // namespace korrin::testing
