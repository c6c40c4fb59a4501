// What the main window shows of a run's outcomes: the list's marks, the
// counts, "Keep only failed", the kept log file and the report window.
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "MainWindowFixture.h"
#include "Screenshots.h"
#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "ui/ConversionListModel.h"
#include "ui/EntryMarks.h"
#include "ui/SourceFilePanel.h"

namespace korrin::testing {
namespace {

class Form1OutcomesTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    // A part whose every save the host refuses, beside the samples.
    auto washer = standin::ReadStandinDocument(Sample("parts/washer.ipt"));
    ASSERT_TRUE(washer) << washer.failure().description;
    standin::StandinDocument broken = washer.value();
    broken.faults.failEverySave = standin::StandinFault{-2147467259, "Disk full"};
    ASSERT_TRUE(standin::WriteStandinDocument(Sample("parts/broken-washer.ipt"), broken));
    SaveSettingsForParts();
    ASSERT_TRUE(Load());
    Form().show();
  }

  QVariant Data(int row, int role) const { return form_->List1Model->data(form_->List1Model->index(row), role); }
  fs::path Logs() const { return folder_ / "state" / "korrin" / "logs"; }
  std::vector<fs::path> LogFiles() const {
    std::vector<fs::path> files;
    if (!fs::exists(Logs())) return files;
    for (const auto& entry : fs::directory_iterator(Logs())) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
  }
  static std::string FileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  static std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
  }
};

TEST_F(Form1OutcomesTest, EveryEntryShowsItsOutcomeAndTheFailuresRunAgainAlone) {
  ListParts({"bracket.ipt", "broken-washer.ipt", "future-gear.ipt"});
  ASSERT_EQ(Listed(), (Lines{Sample("parts/bracket.ipt"), Sample("parts/broken-washer.ipt"),
                             Sample("parts/future-gear.ipt")}));
  EXPECT_FALSE(Form().KeepOnlyFailed->isEnabled());

  // While the run works, its log file already holds what was logged.
  std::string fileWhileRunning;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (!Logged("Opening: " + Sample("parts/bracket.ipt")) || LogFiles().size() != 1) return;
    watcher.stop();
    fileWhileRunning = FileText(LogFiles().front());
  });
  watcher.start(0);
  ClickPanel(3);

  EXPECT_NE(fileWhileRunning.find("Opening: " + Sample("parts/bracket.ipt") + "\r\n"), std::string::npos)
      << fileWhileRunning;
  EXPECT_EQ(fileWhileRunning.find("Ready"), std::string::npos);

  const std::string failure = "Error saving: " + Out("broken-washer.stp") + ": Disk full";
  const std::string skip = "Unrecognized Inventorversion, skipping...";
  struct Row {
    EntryMark mark;
    std::string toolTip;
  } rows[] = {
      {EntryMark::Converted, Sample("parts/bracket.ipt") + "\nconverted"},
      {EntryMark::Failed, Sample("parts/broken-washer.ipt") + "\nfailed: " + failure},
      {EntryMark::Skipped, Sample("parts/future-gear.ipt") + "\nskipped: " + skip},
  };
  for (int row = 0; row < 3; ++row) {
    ASSERT_EQ(Form().List1Model->MarkAt(static_cast<std::size_t>(row)), rows[row].mark) << row;
    EXPECT_EQ(Data(row, Qt::ToolTipRole).toString().toStdString(), rows[row].toolTip) << row;
    EXPECT_EQ(Data(row, Qt::ForegroundRole).value<QBrush>().color(), MarkColour(rows[row].mark)) << row;
    EXPECT_FALSE(Data(row, Qt::DecorationRole).value<QIcon>().isNull()) << row;
  }
  EXPECT_NE(MarkColour(EntryMark::Failed), MarkColour(EntryMark::Converted));
  EXPECT_EQ(TextOf("Panel2"), "Ready");
  EXPECT_EQ(TextOf("RunCounts"), "1 converted, 1 skipped, 1 failed");
  const QLabel* counts = Find<QLabel>("RunCounts");
  EXPECT_GE(counts->minimumWidth(), counts->fontMetrics().horizontalAdvance(counts->text()));
  EXPECT_TRUE(Form().KeepOnlyFailed->isEnabled());
  EXPECT_TRUE(Form().List1->actions().contains(Form().KeepOnlyFailed));

  // The report draws the failure's reason apart, and names the log file,
  // which holds the report's lines as the report saves them.
  ExportReport& report = *Form().report();
  const Lines lines = report.Lines();
  const auto reasonRow = std::find(lines.begin(), lines.end(), failure) - lines.begin();
  ASSERT_LT(reasonRow, static_cast<long>(lines.size()));
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    EXPECT_EQ(report.IsReasonLine(row), row == reasonRow) << lines[static_cast<std::size_t>(row)];
  }
  EXPECT_EQ(report.findChild<QListWidget*>("List1")->item(static_cast<int>(reasonRow))->foreground().color(),
            MarkColour(EntryMark::Failed));
  ASSERT_EQ(LogFiles().size(), 1u);
  const fs::path firstLog = LogFiles().front();
  EXPECT_TRUE(IsRunLogName(firstLog.filename().string())) << firstLog;
  EXPECT_EQ(report.LogFileText().toStdString(), "Log: " + firstLog.string());
  EXPECT_EQ(FileText(firstLog), Joined(lines));
  EXPECT_TRUE(SaveScreenshot(Form(), "Form1-outcomes"));
  EXPECT_TRUE(SaveScreenshot(report, "ExportReport-failure-reason"));

  // Only the failure stays, with its mark, nothing selected.
  Form().List1->selectionModel()->setCurrentIndex(Form().List1Model->index(2), QItemSelectionModel::ClearAndSelect);
  Form().KeepOnlyFailed->trigger();
  EXPECT_EQ(Listed(), Lines{Sample("parts/broken-washer.ipt")});
  EXPECT_EQ(Form().List1Model->MarkAt(0), EntryMark::Failed);
  EXPECT_EQ(Data(0, Qt::ToolTipRole).toString().toStdString(), rows[1].toolTip);
  EXPECT_TRUE(Form().List1->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(TextOf("Label2"), "1 files");
  EXPECT_EQ(TextOf("Label9"), "0/1 Selected");
  EXPECT_TRUE(SaveScreenshot(Form(), "Form1-kept-failed"));

  // The next run takes exactly that entry; no question is asked (the
  // scripted dialogs fail the test on any), and it gets a log of its own.
  ClickPanel(3);
  EXPECT_TRUE(Logged("Opening: " + Sample("parts/broken-washer.ipt")));
  EXPECT_FALSE(Logged("Opening: " + Sample("parts/bracket.ipt")));
  EXPECT_EQ(TextOf("RunCounts"), "0 converted, 0 skipped, 1 failed");
  EXPECT_EQ(Form().List1Model->MarkAt(0), EntryMark::Failed);
  ASSERT_EQ(LogFiles().size(), 2u);
  EXPECT_TRUE(fs::exists(firstLog));
  EXPECT_EQ(Form().report()->LogFileText().toStdString(),
            "Log: " + (LogFiles().front() == firstLog ? LogFiles().back() : LogFiles().front()).string());

  // A change of the list drops the marks and the counts.
  ListParts({"flange.ipt"});
  EXPECT_FALSE(Form().List1Model->HasMarks());
  EXPECT_EQ(Data(0, Qt::ForegroundRole), QVariant());
  EXPECT_EQ(TextOf("RunCounts"), "");
  EXPECT_FALSE(Form().KeepOnlyFailed->isEnabled());
}

TEST_F(Form1OutcomesTest, ASecondRunSkipsWhatIsDoneWhenAskedAndTheChoiceIsKeptApartFromKorrinIni) {
  QCheckBox* skip = Find<QCheckBox>("CheckSkipExisting");
  EXPECT_EQ(skip->text(), "Skip documents already converted");
  EXPECT_FALSE(skip->isChecked());
  ListParts({"bracket.ipt"});
  ClickPanel(3);
  ASSERT_EQ(Form().List1Model->MarkAt(0), EntryMark::Converted);

  QTest::mouseClick(skip, Qt::LeftButton);
  ClickPanel(3);
  const std::string upToDate = "Up to date: " + Out("bracket.stp");
  EXPECT_TRUE(Logged(upToDate));
  EXPECT_EQ(Form().List1Model->MarkAt(0), EntryMark::Skipped);
  EXPECT_EQ(Data(0, Qt::ToolTipRole).toString().toStdString(),
            Sample("parts/bracket.ipt") + "\nskipped: " + upToDate);
  EXPECT_EQ(TextOf("RunCounts"), "0 converted, 0 skipped, 0 failed, 1 up to date");

  Form().close();
  EXPECT_EQ(folder_.Read("home/KorrinRunOptions.ini"), "[Korrin run options]\r\nSkipDocumentsAlreadyConverted=1\r\n");
  EXPECT_EQ(folder_.Read("home/Korrin.ini").find("Skip"), std::string::npos);
  // The next start ticks it again.
  form_.reset();
  ASSERT_TRUE(Load());
  EXPECT_TRUE(Find<QCheckBox>("CheckSkipExisting")->isChecked());
}

TEST_F(Form1OutcomesTest, TheReportOpensBesideTheWindowOnItsScreenAndScrollsSideways) {
  const QRect screen = Form().screen()->availableGeometry();
  struct Case {
    const char* name;
    QRect window;
  } cases[] = {
      {"small window on the left", {screen.left(), screen.top(), screen.width() / 2, screen.height() / 2}},
      {"window filling the screen", screen},
      {"window on the right", {screen.left() + screen.width() / 3, screen.top(), screen.width() * 2 / 3, screen.height()}},
  };
  for (const Case& c : cases) {
    Form().setMinimumSize(0, 0);
    Form().setGeometry(c.window);
    QApplication::processEvents();
    if (Form().report() != nullptr) Form().report()->CloseReport();
    QApplication::processEvents();
    QTest::mouseClick(Form().Command8, Qt::LeftButton);
    ASSERT_NE(Form().report(), nullptr) << c.name;
    const QRect report = Form().report()->frameGeometry();
    const QLabel* panel = Find<QLabel>("Panel3");
    const QRect panelArea(panel->mapToGlobal(QPoint(0, 0)), panel->size());
    EXPECT_TRUE(screen.contains(report)) << c.name << ": " << report.x() << "," << report.y() << " " << report.width()
                                         << "x" << report.height() << " in " << screen.width() << "x" << screen.height();
    EXPECT_FALSE(report.intersects(panelArea)) << c.name;
    EXPECT_GT(report.width(), 100) << c.name;
    EXPECT_GT(report.height(), 100) << c.name;
    if (screen.right() - Form().frameGeometry().right() >= report.width()) {
      EXPECT_GT(report.left(), Form().frameGeometry().right()) << c.name;
    }
  }
  ExportReport& report = *Form().report();
  EXPECT_NE(report.minimumSize(), report.maximumSize());
  const std::string longLine = "Opening: /" + std::string(600, 'x') + "/end.ipt";
  report.AddLine(longLine);
  QApplication::processEvents();
  auto* list = report.findChild<QListWidget*>("List1");
  EXPECT_EQ(list->textElideMode(), Qt::ElideNone);
  EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(report.Lines().back(), longLine);
  EXPECT_TRUE(SaveScreenshot(report, "ExportReport-long-line"));
}

}  // namespace
}  // namespace korrin::testing
