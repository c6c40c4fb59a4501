#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "filelist/DropCollection.h"
#include "filelist/FileList.h"
#include "ui/ConversionListModel.h"
#include "ui/DragIcons.h"
#include "ui/ExportFolderBox.h"
#include "ui/FolderTree.h"
#include "ui/SourceFilePanel.h"

namespace korrin::testing {
namespace {

class Form1ListTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    // a/ and b/ have subfolders, c/ has none.
    for (const char* file : {"drop/a/x.ipt", "drop/a/sub/y.ipt", "drop/b/z.ipt", "drop/b/deeper/w.ipt", "drop/c/c1.ipt",
                             "drop/c/c2.IPT", "drop/c/notes.doc"}) {
      fs::create_directories((folder_ / file).parent_path());
      folder_.Write(file, "");
    }
    SaveSettingsForParts();
    ASSERT_TRUE(Load());
    Form().show();
  }

  std::string Drop(const std::string& name) const { return (folder_ / "drop" / name).string(); }
  void SelectSource(std::initializer_list<int> rows) {
    for (int row : rows) Form().File1->item(row)->setSelected(true);
  }
  void SelectListed(std::initializer_list<int> rows) {
    for (int row : rows) {
      Form().List1->selectionModel()->select(Form().List1Model->index(row), QItemSelectionModel::Select);
    }
  }
  std::string LastLogLine() const {
    const ExportReport* report = form_->report();
    return report == nullptr || report->Lines().empty() ? "" : report->Lines().back();
  }
};

TEST_F(Form1ListTest, TheMoveButtonsFillAndEmptyTheListAndCountIt) {
  SourceFilePanel& files = *Form().File1;
  ASSERT_EQ(files.item(0)->text().toStdString(), "bracket.ipt");
  SelectSource({0, 2});
  QTest::mouseClick(Form().AddOne, Qt::LeftButton);
  EXPECT_EQ(Listed(), (Lines{Sample("parts/bracket.ipt"), Sample("parts/cover-plate.ipt")}));
  EXPECT_TRUE(files.selectedItems().isEmpty());
  EXPECT_EQ(TextOf("Label2"), "2 files");
  EXPECT_EQ(TextOf("Label9"), "0/2 Selected");
  EXPECT_EQ(TextOf("Panel3"), "Export");

  // A file already listed is not listed twice.
  SelectSource({0});
  QTest::mouseClick(Form().AddOne, Qt::LeftButton);
  EXPECT_EQ(TextOf("Label2"), "2 files");

  QTest::mouseClick(Form().AddMany, Qt::LeftButton);
  EXPECT_EQ(Listed().size(), 15u);
  EXPECT_EQ(TextOf("Label2"), "15 files");
  EXPECT_EQ(TextOf("Label9"), "0/15 Selected");

  SelectListed({1, 3});
  EXPECT_EQ(TextOf("Label9"), "2/15 Selected");
  QTest::mouseClick(Form().RemoveOne, Qt::LeftButton);
  EXPECT_EQ(Listed().size(), 13u);
  EXPECT_FALSE(Form().list().Contains(Sample("parts/bushing.ipt")));
  EXPECT_FALSE(Form().list().Contains(Sample("parts/flaky-pin.ipt")));
  EXPECT_EQ(TextOf("Label2"), "13 files");
  EXPECT_EQ(TextOf("Label9"), "0/13 Selected");

  QTest::mouseClick(Form().RemoveMany, Qt::LeftButton);
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(TextOf("Label2"), "0 files");
  EXPECT_EQ(TextOf("Label9"), "0/0 Selected");
}

TEST_F(Form1ListTest, ChoosingATreeFolderListsItsFiles) {
  FolderTree& tree = *Form().FolderTreeview1;
  ASSERT_TRUE(tree.SetSelectedFolder(QString::fromStdString(Drop("c"))));
  // The tree opens down to the folder and shows it, once the folders on the
  // way are read.
  const auto shown = [&] {
    const QModelIndex current = tree.currentIndex();
    return tree.viewport()->rect().contains(tree.visualRect(current).center());
  };
  for (int round = 0; round < 500 && !shown(); ++round) QTest::qWait(10);
  EXPECT_TRUE(shown());
  for (QModelIndex parent = tree.currentIndex().parent(); parent.isValid(); parent = parent.parent()) {
    EXPECT_TRUE(tree.isExpanded(parent)) << parent.data().toString().toStdString();
  }
  EXPECT_EQ(Form().File1->folder().toStdString(), Drop("c"));
  EXPECT_EQ(Form().File1->count(), 2);  // both cases of the extension, not the .doc
  EXPECT_EQ(TextOf("Label1"), "2 files");
  EXPECT_EQ(Form().settings().BatchLastFolder, Drop("c"));
}

TEST_F(Form1ListTest, DroppedFoldersAskBeforeTheirSubfoldersAreWalked) {
  // No for b/: its own file only, and the question comes again for a/.
  dialogs_.ExpectYesNo(RecurseQuestion(Drop("b")), false).ExpectYesNo(RecurseQuestion(Drop("a")), true);
  DropFiles({Drop("b"), Drop("c"), Drop("a")});
  EXPECT_EQ(Listed(), (Lines{Drop("a/sub/y.ipt"), Drop("a/x.ipt"), Drop("b/z.ipt"), Drop("c/c1.ipt"),
                             Drop("c/c2.IPT")}));
  EXPECT_EQ(TextOf("Label2"), "5 files");
  EXPECT_EQ(LastLogLine(), "Ready");
  EXPECT_EQ(TextOf("Panel2"), "Ready");
  EXPECT_EQ(TextOf("Panel3"), "Export");

  // Yes once: every later folder is walked without asking.
  QTest::mouseClick(Form().RemoveMany, Qt::LeftButton);
  dialogs_.ExpectYesNo(RecurseQuestion(Drop("b")), true);
  DropFiles({Drop("b"), Drop("a")});
  EXPECT_EQ(Listed(), (Lines{Drop("a/sub/y.ipt"), Drop("a/x.ipt"), Drop("b/deeper/w.ipt"), Drop("b/z.ipt")}));
  EXPECT_TRUE(dialogs_.finished());
}

TEST_F(Form1ListTest, ListFilesAddWhatTheyNameOnceAndNothingElse) {
  folder_.Write("drop/list.txt", Drop("c/c1.ipt") + "\r\n" + Drop("c/c1.ipt") + "\r\n" + Drop("c/gone.ipt") +
                                     "\r\n" + Drop("c/notes.doc") + "\r\n");
  DropFiles({Drop("list.txt"), Drop("c/notes.doc")});
  EXPECT_EQ(Listed(), (Lines{Drop("c/c1.ipt")}));

  // Nothing that fits: nothing listed, and the drop still ends in order.
  QTest::mouseClick(Form().RemoveMany, Qt::LeftButton);
  DropFiles({Drop("c/notes.doc")});
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(LastLogLine(), "Ready");

  QMimeData remote;
  remote.setUrls({QUrl("https://example.org/part.ipt")});
  dialogs_.ExpectMessage("Not folder");
  DropOnList(remote);
  EXPECT_TRUE(Listed().empty());
}

TEST_F(Form1ListTest, ATreeFolderDropsOnTheListAndOnTheExportFolderBox) {
  std::unique_ptr<QMimeData> tree(TreeFolderData(QString::fromStdString(Drop("b"))));
  dialogs_.ExpectYesNo(RecurseQuestion(Drop("b")), false);
  DropOnList(*tree);
  EXPECT_EQ(Listed(), (Lines{Drop("b/z.ipt")}));

  dialogs_.ExpectYesNo(RecurseQuestion(Drop("b")), true);
  DropOnList(*tree);
  EXPECT_EQ(Listed(), (Lines{Drop("b/deeper/w.ipt"), Drop("b/z.ipt")}));

  DropOn(*Form().Text1, *tree);
  EXPECT_EQ(Form().Text1->text().toStdString(), Drop("b"));
  EXPECT_EQ(Form().settings().BatchlastExportToFolder, Drop("b"));
}

TEST_F(Form1ListTest, AnotherImportFormatEmptiesTheListOnlyWhenTheUserAgrees) {
  QTest::mouseClick(Form().AddMany, Qt::LeftButton);
  dialogs_.ExpectOkCancel(kImportChangeQuestion, false);
  Choose(Form().Combo1, "Inventor Assembly Files (*.IAM)");
  EXPECT_EQ(Form().Combo1->currentText().toStdString(), "Inventor Part Files (*.IPT)");
  EXPECT_EQ(Listed().size(), 15u);
  EXPECT_EQ(Form().File1->pattern().toStdString(), "*.IPT");

  dialogs_.ExpectOkCancel(kImportChangeQuestion, true);
  Choose(Form().Combo1, "Inventor Assembly Files (*.IAM)");
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(TextOf("Label2"), "0 files");
  EXPECT_EQ(Form().File1->pattern().toStdString(), "*.IAM");
  EXPECT_EQ(TextOf("Label1"), "0 files");  // the parts folder holds no assemblies
  EXPECT_EQ(Form().settings().BatchLastImportFilter, "*.IAM");
  EXPECT_EQ(Form().Combo2->itemText(0).toStdString(), Form().Combo2->currentText().toStdString());

  // An empty list never asks.
  Choose(Form().Combo1, "Inventor Part Files (*.IPT)");
  EXPECT_EQ(Form().File1->pattern().toStdString(), "*.IPT");
}

}  // namespace
}  // namespace korrin::testing
