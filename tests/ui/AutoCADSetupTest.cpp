#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "Screenshots.h"
#include "ui/AutoCADSetup.h"

namespace korrin {
namespace {

class AutoCADSetupTest : public ::testing::Test {
 protected:
  AutoCADSetupTest() { window_.show(); }

  template <typename Control>
  Control& Find(const char* name) {
    auto* control = window_.findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name;
    return *control;
  }
  QTreeWidget& Table() { return Find<QTreeWidget>("ListView1"); }
  QLineEdit& Folder() { return Find<QLineEdit>("Text1"); }
  std::string TemplateOf(int row) { return Table().topLevelItem(row)->text(3).toStdString(); }
  // Types over the folder text as a user does; nothing typed erases it.
  // (Erasing first would not do: the emptied text takes the default at once.)
  void TypeFolder(const QString& text) {
    Folder().selectAll();
    if (text.isEmpty())
      QTest::keyClick(&Folder(), Qt::Key_Backspace);
    else
      QTest::keyClicks(&Folder(), text);
  }
  // Clicks the box itself, at its left where the indicator is.
  void Tick(const char* name) {
    auto& box = Find<QCheckBox>(name);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.height() / 2, box.height() / 2));
  }

  AcadTemplateSetup setup_;
  AutoCADSetup window_{setup_};
};

TEST_F(AutoCADSetupTest, ShowsTheControlsWithTheirCaptionsAndTheTenTemplates) {
  EXPECT_EQ(window_.windowTitle(), QString::fromUtf8("Opsætning til DWG export"));
  auto& keep = Find<QCheckBox>("Check3");
  EXPECT_EQ(keep.text(), "Keep Lineweight");
  EXPECT_EQ(keep.toolTip(), "Not checked, AutoCAD is started and Lineweight is removed");
  EXPECT_TRUE(keep.isChecked());
  auto& replace = Find<QCheckBox>("Check4");
  EXPECT_EQ(replace.text(), "Delete and Replace Inventor Border and Title block");
  EXPECT_EQ(replace.toolTip(), "IDW border and title is removed and templates in list are used");
  EXPECT_FALSE(replace.isChecked());
  EXPECT_EQ(Find<QLabel>("Label1").text(), "These settings will open an AutoCAD Instance after Inventor Export");
  EXPECT_EQ(Find<QPushButton>("Command1").text(), "Continue");
  EXPECT_EQ(Folder().text(), "e:\\Orvik\\OrvTemplates\\");

  QTreeWidget& table = Table();
  const QStringList headers{"A-Format", "Sheetsize Hor", "Sheetsize Ver", "Use template ( full dir )"};
  for (int column = 0; column < headers.size(); ++column) EXPECT_EQ(table.headerItem()->text(column), headers[column]);
  ASSERT_EQ(table.topLevelItemCount(), 10);
  ASSERT_EQ(setup_.rows().size(), 10u);
  for (int row = 0; row < 10; ++row) {
    const AcadTemplateRow& expected = setup_.rows()[static_cast<std::size_t>(row)];
    const QTreeWidgetItem& shown = *table.topLevelItem(row);
    EXPECT_EQ(shown.text(0).toStdString(), expected.sizeName) << row;
    EXPECT_EQ(shown.text(1).toStdString(), expected.horizontal) << row;
    EXPECT_EQ(shown.text(2).toStdString(), expected.vertical) << row;
    EXPECT_EQ(shown.text(3).toStdString(), expected.templateFile) << row;
  }
  EXPECT_EQ(table.topLevelItem(8)->text(0), "A4");
  EXPECT_EQ(table.topLevelItem(8)->text(1), "210");
  EXPECT_EQ(TemplateOf(9), "e:\\Orvik\\OrvTemplates\\ORV-A4P.DWT");
  EXPECT_TRUE(testing::SaveScreenshot(window_, "AutoCADSetup"));
}

TEST_F(AutoCADSetupTest, TheFolderTextRebuildsTheTableAndAnEmptyOneTakesTheDefault) {
  constexpr int kA3 = 6;
  struct Case {
    const char* typed;
    const char* folderShown;
    const char* a3Template;
  };
  const Case cases[] = {
      {"D:\\tpl\\", "D:\\tpl\\", "D:\\tpl\\ORV-A3.DWT"},
      {"D:\\tpl", "D:\\tpl", "D:\\tplORV-A3.DWT"},
      {"", "e:\\Orvik\\OrvTemplates\\", "e:\\Orvik\\OrvTemplates\\ORV-A3.DWT"},
  };
  for (const Case& c : cases) {
    TypeFolder(c.typed);
    EXPECT_EQ(Folder().text().toStdString(), c.folderShown) << c.typed;
    EXPECT_EQ(setup_.folder(), c.folderShown) << c.typed;
    ASSERT_EQ(Table().topLevelItemCount(), 10) << c.typed;
    EXPECT_EQ(TemplateOf(kA3), c.a3Template) << c.typed;
    EXPECT_EQ(setup_.rows()[kA3].templateFile, c.a3Template) << c.typed;
  }
}

TEST_F(AutoCADSetupTest, TheCheckBoxesWriteIntoTheSetupAndKeepLineweightFollowsTheExportFormat) {
  auto& keep = Find<QCheckBox>("Check3");
  Tick("Check3");
  EXPECT_FALSE(setup_.keepLineweight.checked);
  Tick("Check4");
  EXPECT_TRUE(setup_.replaceTitleBlock.checked);

  setup_.ExportPatternChanged("*.DXF");
  window_.Refresh();
  EXPECT_FALSE(keep.isEnabled());
  EXPECT_FALSE(keep.isChecked()) << "disabling leaves the tick as it was";

  setup_.ExportPatternChanged("*.DWG");
  window_.hide();
  window_.show();
  EXPECT_TRUE(keep.isEnabled()) << "showing the window shows the setup as it is";
}

TEST_F(AutoCADSetupTest, ReplacingTheTitleBlockIsOfferedOnlyWhileLineweightsAreRemoved) {
  auto& replace = Find<QCheckBox>("Check4");
  EXPECT_FALSE(replace.isEnabled()) << "Keep Lineweight is ticked at first";
  Tick("Check4");
  EXPECT_FALSE(setup_.replaceTitleBlock.checked) << "a greyed-out box takes no click";

  Tick("Check3");
  EXPECT_TRUE(replace.isEnabled());
  EXPECT_TRUE(setup_.replaceTitleBlock.enabled);
  Tick("Check4");
  EXPECT_TRUE(setup_.replaceTitleBlock.checked);
  EXPECT_TRUE(testing::SaveScreenshot(window_, "AutoCADSetup-LineweightsRemoved"));

  Tick("Check3");
  EXPECT_FALSE(replace.isEnabled());
  EXPECT_FALSE(setup_.replaceTitleBlock.enabled);
  EXPECT_TRUE(replace.isChecked()) << "greying out leaves the tick";

  // A run that kept the lineweights greyed the box out; unticking "Keep
  // Lineweight" afterwards offers it again.
  setup_.replaceTitleBlock.enabled = false;
  window_.Refresh();
  Tick("Check3");
  EXPECT_TRUE(replace.isEnabled());

  // Another export format than DWG keeps the lineweights whatever the tick.
  setup_.ExportPatternChanged("*.DXF");
  window_.Refresh();
  EXPECT_FALSE(replace.isEnabled());
  setup_.ExportPatternChanged("*.DWG");
  window_.Refresh();
  EXPECT_TRUE(replace.isEnabled());
}

TEST_F(AutoCADSetupTest, ContinueHidesTheWindowAndTheSettingsStay) {
  TypeFolder("/srv/tpl/");
  Tick("Check3");
  Tick("Check4");
  QTest::mouseClick(&Find<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(setup_.folder(), "/srv/tpl/");
  EXPECT_TRUE(setup_.replaceTitleBlock.checked);
  window_.show();
  EXPECT_EQ(Folder().text(), "/srv/tpl/");
  EXPECT_TRUE(Find<QCheckBox>("Check4").isChecked());
}

}  // namespace
}  // namespace korrin
