#include "ui/ExportReport.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "settings/PathText.h"
#include "settings/TextFile.h"
#include "ui/CommandPanel.h"
#include "ui/EntryMarks.h"

namespace korrin {
namespace {

constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 420;
constexpr int kReasonRole = Qt::UserRole + 1;

}  // namespace

ExportReport::ExportReport(Dialogs& dialogs, std::string programFolder, ReportPrinter printer, QWidget* parent)
    : QWidget(parent, Qt::Window),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)),
      printer_(printer ? std::move(printer) : ReportPrinter(PrintLinesWithDialog)),
      list_(new QListWidget(this)),
      statusBar_(new QStatusBar(this)),
      logFile_(new QLabel(statusBar_)) {
  setObjectName("ExportReport");
  setWindowTitle("Export Report");
  list_->setObjectName("List1");
  statusBar_->setObjectName("StatusBar1");
  statusBar_->setSizeGripEnabled(true);
  // Long lines (paths, joined messages) scroll sideways rather than being cut.
  list_->setTextElideMode(Qt::ElideNone);
  list_->setWordWrap(false);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  logFile_->setObjectName("LogFile");
  logFile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  const std::pair<const char*, void (ExportReport::*)()> panels[] = {
      {"Print Report", &ExportReport::PrintReport},
      {"Save Report", &ExportReport::SaveReport},
      {"Close", &ExportReport::CloseReport}};
  int number = 1;
  for (const auto& [caption, command] : panels) {
    auto* panel = new CommandPanel(caption, [this, command = command] { (this->*command)(); }, statusBar_);
    panel->setObjectName(QString("Panel%1").arg(number++));
    statusBar_->addWidget(panel);
  }
  statusBar_->addWidget(logFile_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(list_, 1);
  layout->addWidget(statusBar_);
  resize(kInitialWidth, kInitialHeight);
}

void ExportReport::AddLine(const std::string& text) { list_->addItem(QString::fromStdString(text)); }

std::vector<std::string> ExportReport::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(list_->count()));
  for (int row = 0; row < list_->count(); ++row) lines.push_back(list_->item(row)->text().toStdString());
  return lines;
}

void ExportReport::ShowLastLine() {
  if (list_->count() == 0) return;
  list_->setCurrentRow(list_->count() - 1);
  list_->scrollToBottom();
}

int ExportReport::MarkReasonLines(const std::vector<std::string>& reasons) {
  int marked = 0;
  for (int row = 0; row < list_->count(); ++row) {
    QListWidgetItem* item = list_->item(row);
    const std::string text = item->text().toStdString();
    if (std::find(reasons.begin(), reasons.end(), text) == reasons.end()) continue;
    item->setForeground(MarkColour(EntryMark::Failed));
    item->setData(kReasonRole, true);
    ++marked;
  }
  return marked;
}

bool ExportReport::IsReasonLine(int row) const {
  const QListWidgetItem* item = list_->item(row);
  return item != nullptr && item->data(kReasonRole).toBool();
}

void ExportReport::ShowLogFile(const QString& text) {
  logFile_->setText(text);
  logFile_->setToolTip(text);
}

QString ExportReport::LogFileText() const { return logFile_->text(); }

void ExportReport::PrintReport() { (void)printer_(Lines(), this); }

void ExportReport::SaveReport() {
  const FileRequest request{FileRequest::Purpose::Save, "Select Report file", "TXT Files (*.TXT)|*.TXT", "",
                            WithTrailingBackslash(programFolder_) + "Report.txt"};
  const std::optional<std::string> file = dialogs_.ChooseFile(request);
  if (!file || file->empty()) return;
  if (const Status written = WriteTextFile(*file, Lines()); !written) {
    // The window stays, with its lines, so the user can try elsewhere.
    dialogs_.ShowMessage("The report could not be saved: " + written.failure().description);
    return;
  }
  CloseReport();
}

void ExportReport::CloseReport() {
  hide();
  emit unloaded();
}

void ExportReport::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    CloseReport();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool PrintLinesWithDialog(const std::vector<std::string>& lines, QWidget* parent) {
  QPrinter printer;
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const int lineHeight = painter.fontMetrics().lineSpacing();
  const QRect page = painter.viewport();
  int top = 0;
  for (const std::string& line : lines) {
    if (top + lineHeight > page.height()) {
      printer.newPage();
      top = 0;
    }
    painter.drawText(0, top + painter.fontMetrics().ascent(), QString::fromStdString(line));
    top += lineHeight;
  }
  return painter.end();
}

}  // namespace korrin
