#include "ui/AutoCADSetup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korrin {
namespace {

constexpr int kInitialWidth = 620;
constexpr int kInitialHeight = 460;
constexpr int kSizeColumnWidth = 90;

QCheckBox* SetupCheckBox(const char* name, const char* caption, const char* toolTip, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setToolTip(toolTip);
  return box;
}

void ShowSwitch(QCheckBox& box, const SetupSwitch& state) {
  const QSignalBlocker blocker(box);
  box.setChecked(state.checked);
  box.setEnabled(state.enabled);
}

}  // namespace

AutoCADSetup::AutoCADSetup(AcadTemplateSetup& setup, QWidget* parent)
    : QDialog(parent),
      setup_(setup),
      keepLineweight_(SetupCheckBox("Check3", "Keep Lineweight",
                                    "Not checked, AutoCAD is started and Lineweight is removed", this)),
      replaceTitleBlock_(SetupCheckBox("Check4", "Delete and Replace Inventor Border and Title block",
                                       "IDW border and title is removed and templates in list are used", this)),
      folder_(new QLineEdit(this)),
      table_(new QTreeWidget(this)) {
  setObjectName("AutoCADSetup");
  setWindowTitle(QString::fromUtf8("Opsætning til DWG export"));
  folder_->setObjectName("Text1");
  table_->setObjectName("ListView1");
  table_->setHeaderLabels({"A-Format", "Sheetsize Hor", "Sheetsize Ver", "Use template ( full dir )"});
  table_->setRootIsDecorated(false);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int column = 0; column < 3; ++column) table_->setColumnWidth(column, kSizeColumnWidth);
  auto* note = new QLabel("These settings will open an AutoCAD Instance after Inventor Export", this);
  note->setObjectName("Label1");
  auto* proceed = new QPushButton("Continue", this);
  proceed->setObjectName("Command1");

  connect(keepLineweight_, &QCheckBox::toggled, this, [this](bool on) {
    setup_.SetKeepLineweight(on);
    ShowSwitch(*replaceTitleBlock_, setup_.replaceTitleBlock);
  });
  connect(replaceTitleBlock_, &QCheckBox::toggled, this, [this](bool on) { setup_.replaceTitleBlock.checked = on; });
  connect(folder_, &QLineEdit::textChanged, this, &AutoCADSetup::FolderTextChanged);
  connect(proceed, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(keepLineweight_);
  layout->addWidget(replaceTitleBlock_);
  layout->addWidget(folder_);
  layout->addWidget(table_, 1);
  layout->addWidget(note);
  layout->addWidget(proceed, 0, Qt::AlignRight);
  Refresh();
  resize(kInitialWidth, kInitialHeight);
}

void AutoCADSetup::Refresh() {
  ShowSwitch(*keepLineweight_, setup_.keepLineweight);
  ShowSwitch(*replaceTitleBlock_, setup_.replaceTitleBlock);
  {
    const QSignalBlocker blocker(folder_);
    const QString folder = QString::fromStdString(setup_.folder());
    if (folder_->text() != folder) folder_->setText(folder);
  }
  FillTable();
}

void AutoCADSetup::showEvent(QShowEvent* event) {
  Refresh();
  QDialog::showEvent(event);
}

void AutoCADSetup::FolderTextChanged(const QString& text) {
  setup_.SetFolder(text.toStdString());
  // An emptied folder text takes the default folder at once.
  if (text.isEmpty()) {
    const QSignalBlocker blocker(folder_);
    folder_->setText(QString::fromStdString(setup_.folder()));
  }
  FillTable();
}

void AutoCADSetup::FillTable() {
  table_->clear();
  for (const AcadTemplateRow& row : setup_.rows()) {
    new QTreeWidgetItem(table_, {QString::fromStdString(row.sizeName), QString::fromStdString(row.horizontal),
                                 QString::fromStdString(row.vertical), QString::fromStdString(row.templateFile)});
  }
}

}  // namespace korrin
