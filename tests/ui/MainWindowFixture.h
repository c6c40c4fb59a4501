#pragma once

// What the tests of the main window share: the stand-in host installed with
// its samples into a folder of the test's own, a program folder holding what
// the program ships, the host running inside the test, and the main window
// over them with scripted answers.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "OcctGeometryExchange.h"
#include "StandinConnector.h"
#include "StandinProcessTable.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/FakePrinters.h"
#include "support/FakeProcessTable.h"
#include "support/RunProgram.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/ConversionListView.h"
#include "ui/ExportReport.h"
#include "ui/Form1.h"
#include "ui/SourceFilePanel.h"

namespace korrin::testing {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindowFixture() {
    for (const char* folder : {"home", "out", "tmp"}) fs::create_directories(folder_ / folder);
    for (const char* shipped : {"KorrinExportTemplate.INI", "logo.ipt", "papersizes.ini", "Tembrel.exe"}) {
      fs::copy_file(BuiltProgram(shipped), folder_ / "home" / shipped);
    }
    const std::string standin = BuiltProgram("korrin-standin");
    EXPECT_EQ(RunProgram(standin, {"install", "--root", (folder_ / "host").string()}).exitCode, 0);
    EXPECT_EQ(RunProgram(standin, {"samples", (folder_ / "samples").string()}).exitCode, 0);
  }

  void SaveSettings(const std::string& lines) {
    folder_.Write("home/Korrin.ini", "[INI-Settings for Korrin]\r\n" + lines);
  }
  // Settings that list the sample parts, to STEP files in the output folder.
  void SaveSettingsForParts() {
    SaveSettings("BatchLastFolder=" + Sample("parts") + "\r\nBatchExportToFolder=1\r\nBatchlastExportToFolder=" +
                 Out("") + "\r\nBatchLastImportFilter=*.IPT\r\nBatchLastExportFilter=*.STP\r\n");
  }

  // Makes the main window and runs its load step.
  bool Load() {
    registry_ = std::make_unique<SqliteRegistry>((folder_ / "host" / "registry").string());
    connector_ = std::make_unique<standin::StandinConnector>(*registry_, &geometry_);
    processes_ = std::make_unique<standin::StandinProcessTable>(systemProcesses_, *connector_);
    form_ = std::make_unique<Form1>(Form1Ports{*registry_,
                                               *connector_,
                                               *processes_,
                                               printers_,
                                               dialogs_,
                                               {(folder_ / "home").string(), (folder_ / "tmp").string()},
                                               (folder_ / "acad-templates").string(),
                                               nullptr,
                                               {},
                                               [this](const Lines& lines, QWidget*) {
                                                 printed_ = lines;
                                                 return true;
                                               },
                                               {},
                                               folder_ / "state" / "korrin" / "logs"});
    return form_->Load();
  }
  Form1& Form() { return *form_; }

  template <typename Widget>
  Widget* Find(const QString& name) {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  std::string TextOf(const QString& label) { return Find<QLabel>(label)->text().toStdString(); }
  void ClickPanel(int number) { QTest::mouseClick(Find<QLabel>(QString("Panel%1").arg(number)), Qt::LeftButton); }

  // Chooses an entry of a format box as the user would.
  void Choose(QComboBox* box, const QString& caption) {
    const int index = box->findText(caption);
    ASSERT_GE(index, 0) << caption.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  // Drags data onto a control and drops it there, as the toolkit delivers a
  // drop: a drag that was not taken on entering is never dropped. What the
  // drop sets off after it has ended runs before this returns.
  static void DropOn(QWidget& target, QMimeData& data) {
    const QPoint centre = target.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    QCoreApplication::sendPostedEvents();
  }
  void DropOnList(QMimeData& data) { DropOn(*form_->List1->viewport(), data); }
  void DropFiles(const Lines& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
    data.setUrls(urls);
    DropOnList(data);
  }

  Lines Listed() const { return form_->list().Entries(); }
  // Lists the named parts of the samples through the source panel.
  void ListParts(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const auto found = Form().File1->findItems(name, Qt::MatchExactly);
      ASSERT_EQ(found.size(), 1) << name;
      found.front()->setSelected(true);
    }
    QTest::mouseClick(Form().AddOne, Qt::LeftButton);
  }

  Lines LogLines() const { return form_->report() == nullptr ? Lines{} : form_->report()->Lines(); }
  bool Logged(const std::string& line) const {
    const Lines lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  std::string Sample(const std::string& name) const { return (folder_ / "samples" / name).string(); }
  std::string Out(const std::string& name) const { return (folder_ / "out" / name).string(); }

  TemporaryFolder folder_;
  ScriptedDialogs dialogs_;
  FakePrinters printers_;
  FakeProcessTable systemProcesses_;
  standin::OcctGeometryExchange geometry_;
  std::unique_ptr<SqliteRegistry> registry_;
  std::unique_ptr<standin::StandinConnector> connector_;
  std::unique_ptr<standin::StandinProcessTable> processes_;
  std::unique_ptr<Form1> form_;
  Lines printed_;
};

}  // namespace korrin::testing
