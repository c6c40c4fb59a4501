#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "Screenshots.h"
#include "support/RecordingEventPump.h"
#include "ui/CommandPanel.h"
#include "ui/ValidationResult.h"

namespace korrin {
namespace {

using Lines = std::vector<std::string>;

// A report as the validation leaves it: a clean file, one from an older
// release with findings, one that could not be opened.
ValidationReport PreparedReport() {
  ValidationReport report;
  ReportRow& clean = report.AddRow("/work/parts/bracket.ipt");
  clean[ReportColumn::Ver] = "9.0";
  ReportRow& older = report.AddRow("/work/assemblies/frame.iam");
  older[ReportColumn::Ver] = "7.0";
  older[ReportColumn::Od] = "*";
  older[ReportColumn::Nm] = "*";
  older[ReportColumn::Other] = "File created in older Inventor, not recommended, but may work";
  older.red = true;
  ReportRow& broken = report.AddRow("/work/drawings/frame.idw");
  broken[ReportColumn::Other] = "Document could not be opened. May be a new version of Inventor than the current";
  broken.red = true;
  report.SetStatus(kValidationFinished);
  return report;
}

class ValidationResultTest : public ::testing::Test {
 protected:
  ValidationResultTest() { window_.show(); }

  QTreeWidget& List() { return *window_.findChild<QTreeWidget*>("ListView1"); }
  CommandPanel* Panel(int number) { return window_.findChild<CommandPanel*>(QString("Panel%1").arg(number)); }
  void Click(int number) {
    ASSERT_NE(Panel(number), nullptr) << number;
    QTest::mouseClick(Panel(number), Qt::LeftButton);
  }
  int OtherColumnRoom() {
    int others = 0;
    for (int column = 0; column < 9; ++column) others += List().columnWidth(column);
    return List().viewport()->width() - others;
  }

  Lines printed_;
  int printRequests_ = 0;
  ValidationResult window_{nullptr, [this](const Lines& lines, QWidget*) {
                             ++printRequests_;
                             printed_ = lines;
                             return true;
                           }};
  QSignalSpy unloaded_{&window_, &ValidationResult::unloaded};
};

TEST_F(ValidationResultTest, ShowsTheRowsInCheckOrderWithTheUncheckedOnesInRed) {
  window_.ShowReport(PreparedReport());
  EXPECT_EQ(window_.windowTitle(), "Document validation result");
  QTreeWidget& list = List();
  const QStringList headers{"Document", "Ver", "Cc", "De", "Dl", "Ie", "Od", "Us", "Nm", "Other"};
  ASSERT_EQ(list.columnCount(), 10);
  for (int column = 0; column < 10; ++column) EXPECT_EQ(list.headerItem()->text(column), headers[column]);
  ASSERT_EQ(list.topLevelItemCount(), 3);
  const ValidationReport report = PreparedReport();
  for (int row = 0; row < 3; ++row) {
    const ReportRow& expected = report.rows()[static_cast<std::size_t>(row)];
    for (int column = 0; column < 10; ++column) {
      EXPECT_EQ(list.topLevelItem(row)->text(column).toStdString(), expected.cells[static_cast<std::size_t>(column)])
          << row << "," << column;
      const QColor colour = list.topLevelItem(row)->foreground(column).color();
      EXPECT_EQ(colour == QColor(255, 0, 0), expected.red) << row << "," << column;
    }
  }
  EXPECT_EQ(list.topLevelItem(0)->text(2), "-");
  EXPECT_EQ(list.topLevelItem(1)->text(6), "*");
  EXPECT_EQ(Panel(2)->text(), "Validation finished");
  EXPECT_TRUE(testing::SaveScreenshot(window_, "ValidationResult"));
}

TEST_F(ValidationResultTest, ShowingTheReportAgainFollowsItAsItGrowsAndIsCleared) {
  ValidationReport report;
  report.AddRow("/work/a.ipt");
  report.SetStatus("Verifying: /work/a.ipt");
  window_.ShowReport(report);
  EXPECT_EQ(List().topLevelItemCount(), 1);
  EXPECT_EQ(Panel(2)->text(), "Verifying: /work/a.ipt");
  report.rows();
  ReportRow& b = report.AddRow("/work/b.ipt");
  b.red = true;
  window_.ShowReport(report);
  ASSERT_EQ(List().topLevelItemCount(), 2);
  EXPECT_EQ(List().topLevelItem(1)->text(0), "/work/b.ipt");
  EXPECT_EQ(List().topLevelItem(1)->foreground(0).color(), QColor(255, 0, 0));
  report.Clear();
  report.AddRow("/work/c.ipt");
  window_.ShowReport(report);
  ASSERT_EQ(List().topLevelItemCount(), 1);
  EXPECT_EQ(List().topLevelItem(0)->text(0), "/work/c.ipt");
  EXPECT_NE(List().topLevelItem(0)->foreground(0).color(), QColor(255, 0, 0)) << "the red of an earlier row is gone";
}

TEST_F(ValidationResultTest, TheLegendExplainsTheSevenCodes) {
  auto* frame = window_.findChild<QGroupBox*>("Frame1");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Validation legend");
  const std::pair<const char*, const char*> pairs[] = {
      {"Cc=Cannot compute:", "Assembly cannot be evaluated:"},
      {"De=Deleted:", "Assembly/Part has been destroyed, i.e. bad reference"},
      {"Dl=Driver lost:", "Assembly/Part is driven from another application/add-in which has been disconnected"},
      {"Ie=In Error:", "Assembly has update errors"},
      {"Od=Out of Date:", "Some parts or the assembly has changed"},
      {"Us=Unknown status:", "Status not recognized"},
      {"Nm=Need Migration:", "Current Inventor is newer"},
  };
  int number = 1;
  for (const auto& [code, explanation] : pairs) {
    auto* codeLabel = frame->findChild<QLabel*>(QString("LegendCode%1").arg(number));
    auto* textLabel = frame->findChild<QLabel*>(QString("LegendText%1").arg(number));
    ASSERT_NE(codeLabel, nullptr) << number;
    ASSERT_NE(textLabel, nullptr) << number;
    EXPECT_EQ(codeLabel->text().toStdString(), code);
    EXPECT_EQ(textLabel->text().toStdString(), explanation);
    ++number;
  }
  // The legend spans the window at the bottom, the list above it.
  EXPECT_EQ(frame->width(), window_.width());
  EXPECT_GE(frame->y(), List().geometry().bottom());
}

TEST_F(ValidationResultTest, TheStatusBarHasFourPanelsWithTheirCaptionsAsTooltips) {
  const char* captions[] = {"", "Validation status", "Print", "Close"};
  for (int number = 1; number <= 4; ++number) {
    ASSERT_NE(Panel(number), nullptr) << number;
    EXPECT_EQ(Panel(number)->text(), captions[number - 1]) << number;
    EXPECT_EQ(Panel(number)->toolTip(), captions[number - 1]) << number;
  }
  window_.ShowReport(PreparedReport());
  Click(1);
  Click(2);
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(printRequests_, 0);
  EXPECT_EQ(unloaded_.count(), 0);
}

TEST_F(ValidationResultTest, OtherTakesTheRoomLeftByTheOtherColumns) {
  for (const int width : {1200, 700}) {
    window_.resize(width, 500);
    QApplication::processEvents();
    EXPECT_EQ(OtherColumnRoom(), List().columnWidth(9)) << width;
  }
  // Columns widened past the list's width leave "Other" as it is.
  const int before = List().columnWidth(9);
  List().setColumnWidth(0, 2000);
  window_.resize(900, 500);
  QApplication::processEvents();
  ASSERT_LT(OtherColumnRoom(), 0);
  EXPECT_EQ(List().columnWidth(9), before);
}

TEST_F(ValidationResultTest, PrintPrintsTheTableAndCloseUnloadsAnEmptyWindow) {
  window_.ShowReport(PreparedReport());
  Click(3);
  ASSERT_EQ(printRequests_, 1);
  ASSERT_EQ(printed_.size(), 4u);
  EXPECT_EQ(printed_[0].rfind("Document", 0), 0u);
  EXPECT_NE(printed_[0].find("  Ver  Cc  De  Dl  Ie  Od  Us  Nm  Other"), std::string::npos) << printed_[0];
  EXPECT_EQ(printed_[1].rfind("/work/parts/bracket.ipt", 0), 0u);
  const std::size_t versionAt = printed_[0].find("Ver");
  EXPECT_EQ(printed_[1].substr(versionAt, 3), "9.0") << "columns line up";
  EXPECT_TRUE(window_.isVisible());

  Click(4);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(unloaded_.count(), 1);
  EXPECT_EQ(List().topLevelItemCount(), 0);
  EXPECT_EQ(Panel(2)->text(), "Validation status");
}

TEST_F(ValidationResultTest, ThePumpShowsTheReportAsItStandsBeforeEveryYield) {
  ValidationReport report;
  testing::RecordingEventPump events;
  std::vector<int> rowsShown;
  events.onYield = [&](int) { rowsShown.push_back(List().topLevelItemCount()); };
  ValidationResultPump pump(window_, report, events);
  report.AddRow("/work/a.ipt");
  pump.Yield();
  report.AddRow("/work/b.ipt");
  report.SetStatus("Verifying: /work/b.ipt");
  pump.Pause();
  EXPECT_EQ(rowsShown, (std::vector<int>{1, 2}));
  EXPECT_EQ(Panel(2)->text(), "Verifying: /work/b.ipt");
}

}  // namespace
}  // namespace korrin
