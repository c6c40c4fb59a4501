#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "support/TemporaryFolder.h"
#include "ui/QtDialogs.h"

namespace korrin {
namespace {

// Acts on the modal dialog as soon as it shows, as a user would.
void WhenShown(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

TEST(QtDialogs, BoxesCarryTheTitleTheTextWithLineBreaksAndTheAnswer) {
  QtDialogs dialogs;
  QString seen;
  WhenShown([&](QWidget* shown) {
    auto* box = qobject_cast<QMessageBox*>(shown);
    ASSERT_NE(box, nullptr);
    seen = box->windowTitle() + "|" + box->text();
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.ShowMessage("Could not close documents\rTry again");
  EXPECT_EQ(seen.toStdString(), "Korrin|Could not close documents\nTry again");

  for (const bool yes : {true, false}) {
    WhenShown([yes](QWidget* shown) {
      auto* box = qobject_cast<QMessageBox*>(shown);
      ASSERT_NE(box, nullptr);
      box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.AskYesNo("Continue ?"), yes);
    WhenShown([yes](QWidget* shown) {
      auto* box = qobject_cast<QMessageBox*>(shown);
      ASSERT_NE(box, nullptr);
      box->button(yes ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(dialogs.AskOkCancel("Go on?"), yes);
  }
}

TEST(QtDialogs, TheInputBoxGivesTheTextOrNothingOnCancel) {
  QtDialogs dialogs;
  WhenShown([](QWidget* shown) {
    auto* input = qobject_cast<QInputDialog*>(shown);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->labelText().toStdString(), "Enter value for\nPATH");
    EXPECT_EQ(input->textValue().toStdString(), "old");
    input->setTextValue("a=b");
    input->accept();
  });
  EXPECT_EQ(dialogs.AskText("Enter value for\rPATH", "PATH", "old"), "a=b");
  WhenShown([](QWidget* shown) { qobject_cast<QDialog*>(shown)->reject(); });
  EXPECT_EQ(dialogs.AskText("Enter value for\rPATH", "PATH", "old"), std::nullopt);
}

TEST(QtDialogs, TheFileDialogStartsWhereAskedWithTheProgramsFilter) {
  testing::TemporaryFolder folder;
  QtDialogs dialogs;
  const FileRequest request{FileRequest::Purpose::Save, "Select Report file", "TXT Files (*.TXT)|*.TXT",
                            folder.string(), "Report.txt"};
  WhenShown([&](QWidget* shown) {
    auto* dialog = qobject_cast<QFileDialog*>(shown);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Select Report file");
    EXPECT_EQ(dialog->nameFilters(), QStringList{"TXT Files (*.TXT *.txt)"});
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder.string());
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's Save button does
  });
  EXPECT_EQ(dialogs.ChooseFile(request), (folder / "Report.txt").string());
  WhenShown([](QWidget* shown) { qobject_cast<QDialog*>(shown)->reject(); });
  EXPECT_EQ(dialogs.ChooseFile(request), std::nullopt);
}

TEST(QtDialogs, FiltersBecomeQtsWithBothCases) {
  EXPECT_EQ(NameFiltersOf("AutoCAD Template Files (*.DWT)|*.DWT"), QStringList{"AutoCAD Template Files (*.DWT *.dwt)"});
  EXPECT_EQ(NameFiltersOf("Inventor Files (*.ipt;*.iam)|*.ipt;*.iam|All (*.*)|*.*"),
            (QStringList{"Inventor Files (*.IPT *.ipt *.IAM *.iam)", "All (*.*)"}));
  EXPECT_TRUE(NameFiltersOf("").isEmpty());
}

}  // namespace
}  // namespace korrin
