#include "ui/PaperSizeDefinitions.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "print/PaperSizeFile.h"
#include "ui/FormControls.h"
#include "ui/PaperSizeRules.h"
#include "ui/Paperdefinition.h"

namespace korrin {
namespace {

constexpr int kColumns = 4;
constexpr int kInitialWidth = 620;
constexpr int kInitialHeight = 360;
constexpr const char* kNewRowWidth = "210";
constexpr const char* kNewRowHeight = "297";
constexpr const char* kNewRowDescription = "New papersize definition";

// The line of the file a row was read from, kept so that a row the user
// leaves alone is written back byte for byte.
constexpr int kReadLineRole = Qt::UserRole;

QStringList Columns(const PaperSizeRow& row) {
  return {ToQt(row.name), ToQt(row.width), ToQt(row.height), ToQt(row.description)};
}

PaperSizeRow RowOf(const QTreeWidgetItem& item) {
  return {FromQt(item.text(0)), FromQt(item.text(1)), FromQt(item.text(2)), FromQt(item.text(3))};
}

std::optional<std::string> ReadLineOf(const QTreeWidgetItem& item) {
  const QVariant line = item.data(0, kReadLineRole);
  if (!line.isValid()) return std::nullopt;
  return line.toByteArray().toStdString();
}

}  // namespace

PaperSizeDefinitions::PaperSizeDefinitions(Dialogs& dialogs, std::string paperFile, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      paperFile_(std::move(paperFile)),
      list_(Named(new QTreeWidget(this), "ListView1")),
      definition_(new Paperdefinition(dialogs, this)) {
  setObjectName("PaperSizeDefinitions");
  setWindowTitle("Papersize Definitions");
  setModal(true);
  list_->setColumnCount(kColumns);
  list_->setHeaderLabels({"Papersize", "Width", "Height", "Description"});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->header()->setStretchLastSection(false);

  struct Command {
    const char* caption;
    const char* name;
    const char* toolTip;
    void (PaperSizeDefinitions::*run)();
  };
  const Command commands[] = {
      {"Add Row", "AddRow", "Add new paperdefinition", &PaperSizeDefinitions::AddNewRow},
      {"Delete Row", "DeleteRow", "Delete selected paperdefinition", &PaperSizeDefinitions::DeleteRow},
      {"Reload INI", "ReloadINI", "Reread papersize settings from disk", &PaperSizeDefinitions::ReloadIni},
      {"Save", "Save", "Save papersizedefinitions to disk", nullptr},
      {"OK", "OK", nullptr, nullptr},
      {"Cancel", "Cancel", nullptr, nullptr},
  };
  auto* buttons = new QHBoxLayout;
  for (const Command& command : commands) {
    auto* button = Named(new QPushButton(command.caption, this), command.name, command.toolTip);
    button->setAutoDefault(false);
    buttons->addWidget(button);
    if (command.run != nullptr) connect(button, &QPushButton::clicked, this, command.run);
  }
  connect(findChild<QPushButton*>("Save"), &QPushButton::clicked, this, [this] { Save(); });
  connect(findChild<QPushButton*>("OK"), &QPushButton::clicked, this, &PaperSizeDefinitions::accept);
  connect(findChild<QPushButton*>("Cancel"), &QPushButton::clicked, this, &PaperSizeDefinitions::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &PaperSizeDefinitions::EditSelectedRow);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  resize(kInitialWidth, kInitialHeight);
}

void PaperSizeDefinitions::LoadPaperSizeList() {
  list_->clear();
  const PaperSizeEditorList papers = LoadPaperSizesForEditor(paperFile_, dialogs_);
  codePage_ = papers.codePage;
  definition_->SetCodePage(codePage_);
  for (const PaperSizeEditorRow& paper : papers.rows) {
    auto* item = new QTreeWidgetItem(Columns(paper.row));
    item->setData(0, kReadLineRole, QByteArray::fromStdString(paper.line));
    list_->addTopLevelItem(item);
  }
}

void PaperSizeDefinitions::AddRow(const PaperSizeRow& row) {
  auto* item = new QTreeWidgetItem(Columns(row));
  list_->addTopLevelItem(item);
  list_->setCurrentItem(item);
  definition_->Fill(row);
}

std::vector<PaperSizeRow> PaperSizeDefinitions::Rows() const {
  std::vector<PaperSizeRow> rows;
  for (int index = 0; index < list_->topLevelItemCount(); ++index) rows.push_back(RowOf(*list_->topLevelItem(index)));
  return rows;
}

std::string PaperSizeDefinitions::NewPaperName() const { return korrin::NewPaperName(Rows()); }

void PaperSizeDefinitions::AddNewRow() {
  AddRow({NewPaperName(), kNewRowWidth, kNewRowHeight, kNewRowDescription});
  EditSelectedRow();
}

void PaperSizeDefinitions::EditSelectedRow() {
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr) return;
  definition_->Fill(RowOf(*item));
  if (definition_->exec() != QDialog::Accepted) return;
  const QStringList entered = Columns(definition_->Entered());
  for (int column = 0; column < kColumns; ++column) item->setText(column, entered[column]);
}

void PaperSizeDefinitions::DeleteRow() {
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  delete item;
  if (QTreeWidgetItem* current = list_->currentItem()) current->setSelected(true);
}

void PaperSizeDefinitions::ReloadIni() {
  if (dialogs_.AskYesNo("About to reload last saved papersize settings, proceed ?")) LoadPaperSizeList();
}

bool PaperSizeDefinitions::Save() {
  std::vector<std::string> lines;
  for (int index = 0; index < list_->topLevelItemCount(); ++index) {
    QTreeWidgetItem* item = list_->topLevelItem(index);
    const PaperSizeRow row = RowOf(*item);
    // A row added from a printer's paper name never passed the definition's
    // checks: one that the file cannot hold stops the save, said and selected.
    std::optional<std::string> problem = PaperSeparatorProblem(row);
    const std::optional<std::string> line = PaperSizeLineToWrite(row, ReadLineOf(*item), codePage_);
    if (!problem && !line) {
      problem = CharacterNotInCodePageMessage(CharacterNotInCodePage(JoinPaperSizeLine(row), codePage_).value_or(""),
                                              codePage_);
    }
    if (problem) {
      list_->setCurrentItem(item);
      dialogs_.ShowMessage(*problem);
      return false;
    }
    lines.push_back(*line);
  }
  return SavePaperSizeLines(paperFile_, lines, dialogs_);
}

void PaperSizeDefinitions::accept() {
  if (Save()) QDialog::accept();
}

void PaperSizeDefinitions::FitColumns() {
  const int quarter = list_->viewport()->width() / kColumns;
  for (int column = 0; column < kColumns; ++column) list_->setColumnWidth(column, quarter);
}

void PaperSizeDefinitions::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FitColumns();
}

void PaperSizeDefinitions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FitColumns();
}

}  // namespace korrin
