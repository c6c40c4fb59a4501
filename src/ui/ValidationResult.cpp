#include "ui/ValidationResult.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/CommandPanel.h"

namespace korrin {
namespace {

constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 520;
constexpr int kDocumentColumnWidth = 320;
constexpr int kVersionColumnWidth = 44;
constexpr int kMarkColumnWidth = 34;
constexpr int kOtherColumnWidth = 240;
constexpr int kOtherColumn = static_cast<int>(ReportColumn::Other);
constexpr const char* kProgressCaption = "Validation status";
// The text colour of a row that could not be checked, or whose release does not fit.
const QColor kRed(255, 0, 0);

int InitialWidth(int column) {
  switch (static_cast<ReportColumn>(column)) {
    case ReportColumn::Document:
      return kDocumentColumnWidth;
    case ReportColumn::Ver:
      return kVersionColumnWidth;
    case ReportColumn::Other:
      return kOtherColumnWidth;
    default:
      return kMarkColumnWidth;
  }
}

QGroupBox* LegendFrame(QWidget* parent) {
  auto* frame = new QGroupBox("Validation legend", parent);
  frame->setObjectName("Frame1");
  auto* grid = new QGridLayout(frame);
  int number = 1;
  for (const LegendPair& pair : kValidationLegend) {
    auto* code = new QLabel(pair.code, frame);
    code->setObjectName(QString("LegendCode%1").arg(number));
    auto* explanation = new QLabel(pair.explanation, frame);
    explanation->setObjectName(QString("LegendText%1").arg(number));
    grid->addWidget(code, number - 1, 0);
    grid->addWidget(explanation, number - 1, 1);
    ++number;
  }
  grid->setColumnStretch(1, 1);
  return frame;
}

// Pads every cell to the widest of its column, so the printed columns line up.
std::vector<std::string> AlignedLines(const std::vector<std::vector<std::string>>& table) {
  std::vector<std::size_t> widths;
  for (const auto& cells : table) {
    widths.resize(std::max(widths.size(), cells.size()));
    for (std::size_t column = 0; column < cells.size(); ++column)
      widths[column] = std::max(widths[column], cells[column].size());
  }
  std::vector<std::string> lines;
  for (const auto& cells : table) {
    std::string line;
    for (std::size_t column = 0; column < cells.size(); ++column) {
      line += cells[column];
      if (column + 1 < cells.size()) line += std::string(widths[column] - cells[column].size() + 2, ' ');
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

ValidationResult::ValidationResult(QWidget* parent, ReportPrinter printer)
    : QWidget(parent, Qt::Window),
      printer_(printer ? std::move(printer) : ReportPrinter(PrintLinesWithDialog)),
      list_(new QTreeWidget(this)),
      legend_(LegendFrame(this)),
      statusBar_(new QStatusBar(this)),
      progress_(nullptr) {
  setObjectName("ValidationResult");
  setWindowTitle("Document validation result");
  list_->setObjectName("ListView1");
  QStringList headers;
  for (const char* name : kReportColumnNames) headers << name;
  list_->setHeaderLabels(headers);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->header()->setStretchLastSection(false);
  for (int column = 0; column < list_->columnCount(); ++column) list_->setColumnWidth(column, InitialWidth(column));
  list_->viewport()->installEventFilter(this);

  statusBar_->setObjectName("StatusBar1");
  statusBar_->setSizeGripEnabled(false);
  // The first panel has no text; the second shows the progress; the last two
  // are commands: "Print" prints the table, as the user reading its caption
  // expects of it.
  const std::pair<const char*, std::function<void()>> panels[] = {
      {"", {}}, {kProgressCaption, {}}, {"Print", [this] { PrintReport(); }}, {"Close", [this] { CloseReport(); }}};
  constexpr int kProgressPanel = 2;
  int number = 1;
  for (const auto& [caption, command] : panels) {
    auto* panel = new CommandPanel(caption, command, statusBar_);
    panel->setObjectName(QString("Panel%1").arg(number));
    statusBar_->addWidget(panel, number == kProgressPanel ? 1 : 0);
    if (number == kProgressPanel) progress_ = panel;
    ++number;
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(list_, 1);
  layout->addWidget(legend_);
  layout->addWidget(statusBar_);
  resize(kInitialWidth, kInitialHeight);
}

void ValidationResult::ShowReport(const ValidationReport& report) {
  const std::vector<ReportRow>& rows = report.rows();
  while (list_->topLevelItemCount() > static_cast<int>(rows.size()))
    delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
  // Rows are final once the check has gone past them: only the last row
  // shown may have changed since, so a long report is not redrawn whole at
  // every yield.
  const auto from = static_cast<std::size_t>(std::max(0, list_->topLevelItemCount() - 1));
  for (std::size_t index = from; index < rows.size(); ++index) ShowRow(static_cast<int>(index), rows[index]);
  progress_->setText(report.status().empty() ? kProgressCaption : QString::fromStdString(report.status()));
}

std::vector<std::string> ValidationResult::PrintedLines() const {
  std::vector<std::vector<std::string>> table;
  table.emplace_back(kReportColumnNames.begin(), kReportColumnNames.end());
  for (int index = 0; index < list_->topLevelItemCount(); ++index) {
    const QTreeWidgetItem& item = *list_->topLevelItem(index);
    std::vector<std::string> cells;
    for (int column = 0; column < list_->columnCount(); ++column) cells.push_back(item.text(column).toStdString());
    table.push_back(std::move(cells));
  }
  return AlignedLines(table);
}

void ValidationResult::PrintReport() { (void)printer_(PrintedLines(), this); }

void ValidationResult::CloseReport() {
  hide();
  list_->clear();
  progress_->setText(kProgressCaption);
  emit unloaded();
}

bool ValidationResult::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::Resize) FitOtherColumn();
  return QWidget::eventFilter(watched, event);
}

void ValidationResult::ShowRow(int index, const ReportRow& row) {
  QTreeWidgetItem* item = list_->topLevelItem(index);
  if (item == nullptr) item = new QTreeWidgetItem(list_);
  for (int column = 0; column < list_->columnCount(); ++column) {
    item->setText(column, QString::fromStdString(row.cells[static_cast<std::size_t>(column)]));
    item->setForeground(column, row.red ? QBrush(kRed) : QBrush());
  }
}

void ValidationResult::FitOtherColumn() {
  int others = 0;
  for (int column = 0; column < kOtherColumn; ++column) others += list_->columnWidth(column);
  // A list too narrow for the other columns leaves "Other" as it is.
  const int room = list_->viewport()->width() - others;
  if (room > 0) list_->setColumnWidth(kOtherColumn, room);
}

}  // namespace korrin
