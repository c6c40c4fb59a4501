#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "MainWindowFixture.h"
#include "Screenshots.h"
#include "host/HostInstallation.h"
#include "support/ShellLinkBytes.h"
#include "ui/ConversionListModel.h"
#include "ui/ExportFolderBox.h"
#include "ui/SourceFilePanel.h"

namespace korrin::testing {
namespace {

// Calls back for every event of one type that reaches any object of the
// program, while it lives.
class EventSpy final : public QObject {
 public:
  EventSpy(QEvent::Type type, std::function<void(QObject*)> seen) : type_(type), seen_(std::move(seen)) {
    qApp->installEventFilter(this);
  }
  ~EventSpy() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_) seen_(watched);
    return false;
  }

 private:
  QEvent::Type type_;
  std::function<void(QObject*)> seen_;
};

class Form1RunTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    SaveSettingsForParts();
    ASSERT_TRUE(Load());
    Form().show();
  }

  void AbortDuringRun(const std::function<void()>& abort);
};

TEST_F(Form1RunTest, TheExportPanelConvertsTheListAndShowsTheReport) {
  ListParts({"bracket.ipt", "flange.ipt", "washer.ipt"});
  EXPECT_TRUE(SaveScreenshot(Form(), "Form1-before-run"));
  ClickPanel(3);

  for (const char* output : {"bracket.stp", "flange.stp", "washer.stp"}) {
    EXPECT_TRUE(fs::exists(Out(output))) << output;
  }
  const Lines lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Checking Inventor Application, Export Formats and Settings");
  EXPECT_TRUE(Logged("Opening: " + Sample("parts/flange.ipt")));
  EXPECT_TRUE(Logged("Exporting document: " + Out("flange.STP")));
  EXPECT_EQ(lines.back(), "Ready");
  ASSERT_NE(Form().report(), nullptr);
  EXPECT_TRUE(Form().report()->isVisible());
  EXPECT_EQ(TextOf("Label2"), "3 of 3 Files");
  EXPECT_EQ(Form().ProgressBar1->value(), 100);
  EXPECT_EQ(TextOf("Label15"), "100.0 %");
  EXPECT_EQ(TextOf("Label13"), "00:00:00");
  EXPECT_EQ(TextOf("Panel2"), "Ready");
  EXPECT_EQ(TextOf("Panel3"), "Export");
  EXPECT_TRUE(Form().AddOne->isEnabled());
  EXPECT_TRUE(SaveScreenshot(Form(), "Form1-after-run"));
  EXPECT_TRUE(SaveScreenshot(*Form().report(), "ExportReport-after-run"));

  // The report saved as text, one CR LF line per log line.
  const std::string saved = (folder_ / "Report.txt").string();
  dialogs_.ExpectFile({FileRequest::Purpose::Save, "Select Report file", "TXT Files (*.TXT)|*.TXT", "",
                       (folder_ / "home").string() + "/Report.txt"},
                      saved);
  QTest::mouseClick(Form().report()->findChild<QLabel*>("Panel2"), Qt::LeftButton);
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  EXPECT_EQ(folder_.Read("Report.txt"), expected);
}

// Starts a run of three parts and aborts it as soon as the first document
// is open; the run ends after its current step.
void Form1RunTest::AbortDuringRun(const std::function<void()>& abort) {
  ListParts({"bracket.ipt", "flange.ipt", "washer.ipt"});
  QTimer aborter;
  QObject::connect(&aborter, &QTimer::timeout, [&] {
    if (!Logged("Opening: " + Sample("parts/bracket.ipt"))) return;
    aborter.stop();
    EXPECT_EQ(TextOf("Panel3"), "Abort");
    EXPECT_FALSE(Form().RemoveMany->isEnabled());
    abort();
  });
  aborter.start(0);
  ClickPanel(3);

  EXPECT_TRUE(Logged("Aborting..."));
  EXPECT_FALSE(fs::exists(Out("washer.stp")));
  EXPECT_FALSE(Logged("Opening: " + Sample("parts/washer.ipt")));
  EXPECT_EQ(TextOf("Panel3"), "Export");
  EXPECT_TRUE(Form().RemoveMany->isEnabled());
  // The entry the run was working on stays selected, for the next run to
  // continue from.
  const QModelIndexList selected = Form().List1->selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_LT(selected.front().row(), 2);
}

TEST_F(Form1RunTest, EscapeDuringARunEndsItAfterTheCurrentStep) {
  AbortDuringRun([this] { QTest::keyClick(&Form(), Qt::Key_Escape); });
}

TEST_F(Form1RunTest, TheAbortPanelEndsARunAfterTheCurrentStep) { AbortDuringRun([this] { ClickPanel(3); }); }

// The run selects the entry it starts and deselects it once it is done.
TEST_F(Form1RunTest, TheListShowsTheEntryTheRunWorksOn) {
  ListParts({"bracket.ipt", "flange.ipt"});
  RunView& view = Form();
  QItemSelectionModel& selection = *Form().List1->selectionModel();
  view.SelectEntry(1);
  ASSERT_EQ(selection.selectedRows().size(), 1);
  EXPECT_EQ(selection.selectedRows().front().row(), 1);
  view.DeselectEntry(1);
  EXPECT_TRUE(selection.selectedRows().isEmpty());
}

// A watcher that comes back while the report window opens is ended too.
TEST_F(Form1RunTest, TheWatcherIsEndedAgainOnceTheReportShows) {
  ListParts({"bracket.ipt"});
  constexpr std::int64_t kWatcherBack = 4343;
  EventSpy spy(QEvent::Show, [this](QObject* shown) {
    if (shown == Form().report()) systemProcesses_.processes.push_back({kWatcherBack, "Tembrel.exe"});
  });
  ClickPanel(3);
  ASSERT_TRUE(Form().report() != nullptr && Form().report()->isVisible());
  EXPECT_NE(std::find(systemProcesses_.terminated.begin(), systemProcesses_.terminated.end(), kWatcherBack),
            systemProcesses_.terminated.end());
  EXPECT_TRUE(systemProcesses_.processes.empty());
}

// A run resolves a shortcut to the project once: the next run applies the
// target even when the shortcut has gone since.
TEST_F(Form1RunTest, ARunKeepsTheProjectAShortcutNamed) {
  ListParts({"bracket.ipt"});
  const std::string project = Form().Text3->text().toStdString();
  const std::string link = (folder_ / "Project.lnk").string();
  folder_.Write("Project.lnk", MakeLink({project, "", u"", false}));
  const std::string projects = (folder_ / "host" / "Projects").string() + "/";
  dialogs_.ExpectFile({FileRequest::Purpose::Open, "Select IPJ file", "IPJ Files (*.ipj)|*.ipj", projects, project},
                      link);
  QTest::mouseClick(Form().Command6, Qt::LeftButton);
  ClickPanel(3);
  fs::remove(link);
  ClickPanel(3);
  RegistryValue applied;
  ASSERT_TRUE(registry_->ReadRegistryValue(RegistryRoot::CurrentUser,
                                           HostUserKey(DetectHostVersion(*registry_, dialogs_).registryVersionTag,
                                                       kExternalReferencesKey),
                                           "Path File", applied));
  EXPECT_EQ(applied, RegistryValue(project));
}

TEST_F(Form1RunTest, ClosingDuringARunEndsTheRunFirst) {
  ListParts({"bracket.ipt", "flange.ipt", "washer.ipt"});
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!Logged("Opening: " + Sample("parts/bracket.ipt"))) return;
    closer.stop();
    Form().close();
    // The window waits for the run to end.
    EXPECT_TRUE(Form().isVisible());
  });
  closer.start(0);
  ClickPanel(3);

  EXPECT_TRUE(Logged("Aborting..."));
  EXPECT_FALSE(Logged("Opening: " + Sample("parts/washer.ipt")));
  EXPECT_FALSE(Form().isVisible());
  EXPECT_FALSE(Form().IsBusy());
  EXPECT_NE(folder_.Read("home/Korrin.ini").find("BatchLastExportFilter=*.STP\r\n"), std::string::npos);
}

TEST_F(Form1RunTest, EscapeWhileIdleDoesNothing) {
  QTest::keyClick(&Form(), Qt::Key_Escape);
  EXPECT_EQ(Form().report(), nullptr);
  EXPECT_EQ(TextOf("Panel2"), "Ready");
  EXPECT_EQ(TextOf("Panel3"), "Export");
}

TEST_F(Form1RunTest, TheExportPanelRefusesARunThatCannotStart) {
  dialogs_.ExpectMessage("No files to convert...");
  ClickPanel(3);

  ListParts({"bracket.ipt"});
  const std::string missing = Out("missing");
  Form().Text1->setText(QString::fromStdString(missing));
  dialogs_.ExpectMessage("Directory: \r" + missing + "\r does not exist");
  ClickPanel(3);

  Form().Text1->setText(QString::fromStdString(Out("")));
  Form().Text3->clear();
  dialogs_.ExpectMessage("Select an Inventor Project File before exporting");
  ClickPanel(3);
  EXPECT_EQ(Form().report(), nullptr);
  EXPECT_FALSE(fs::exists(Out("bracket.stp")));
}

TEST_F(Form1RunTest, TheRunWritesTheExportFolderBackWithoutOneTrailingSeparator) {
  ListParts({"bracket.ipt"});
  const std::string out = Out("");
  ASSERT_EQ(out.back(), '/');
  const std::string shortened = out.substr(0, out.size() - 1);
  // Each run takes one separator away and shows the field as it used it.
  const std::pair<std::string, std::string> runs[] = {
      {out + "/", out}, {out, shortened}, {shortened, shortened}};
  for (const auto& [typed, shown] : runs) {
    Form().Text1->setText(QString::fromStdString(typed));
    fs::remove(Out("bracket.stp"));
    ClickPanel(3);
    EXPECT_TRUE(Logged("Exporting document: " + Out("bracket.STP"))) << typed;
    EXPECT_EQ(Form().Text1->text().toStdString(), shown) << typed;
    EXPECT_EQ(Form().settings().BatchlastExportToFolder, shown) << typed;
  }
}

TEST_F(Form1RunTest, ClosingKeepsTheChoicesAndEndsTheWatcher) {
  systemProcesses_.processes.push_back({4242, "Tembrel.exe"});
  Form().Check1->click();  // cleared: exports go beside their sources
  EXPECT_TRUE(Form().Text1->text().isEmpty());
  Choose(Form().Combo2, "Iges Files (*.IGS)");
  ClickPanel(4);
  QTest::mouseClick(Form().Command8, Qt::LeftButton);
  ClickPanel(5);
  EXPECT_FALSE(Form().isVisible());
  // No window of the program stays behind.
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
  }
  EXPECT_EQ(systemProcesses_.terminated, (std::vector<std::int64_t>{4242}));
  EXPECT_EQ(folder_.Read("home/Korrin.ini"),
            "[INI-Settings for Korrin]\r\n"
            "BatchLastFolder=" + Sample("parts") + "\r\n"
            "BatchExportToFolder=0\r\n"
            "BatchlastExportToFolder=" + Out("") + "\r\n"
            "BatchLastImportFilter=*.IPT\r\n"
            "BatchLastExportFilter=*.IGS\r\n"
            "BatchLastSettingFile=" + (folder_ / "home" / "KorrinExportTemplate.INI").string() + "\r\n"
            "BatchLastExportDWGFile=\r\n"
            "BatchLastExportDXFFile=\r\n"
            "BatchLastImportDWGFile=\r\n");
}

}  // namespace
}  // namespace korrin::testing
