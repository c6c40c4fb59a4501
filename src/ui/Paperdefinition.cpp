#include "ui/Paperdefinition.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/FormControls.h"
#include "ui/PaperSizeRules.h"

namespace korrin {
namespace {

constexpr const char* kDecimalTip = "Decimal separator may be \",\" or \".\"";
constexpr int kFieldWidth = 260;

void Multiply(QLineEdit& field) {
  if (const std::optional<QString> product = MultipliedWithInch(field.text())) field.setText(*product);
}

}  // namespace

Paperdefinition::Paperdefinition(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      name_(Named(new QLineEdit(this), "Papertext", "Enter name of paper")),
      width_(Named(new QLineEdit(this), "Width", kDecimalTip)),
      height_(Named(new QLineEdit(this), "Height", kDecimalTip)),
      description_(Named(new QLineEdit(this), "Description")) {
  setObjectName("Paperdefinition");
  setWindowTitle("Paperdefinition");
  setModal(true);
  auto* multiplyWidth = Named(new QPushButton("Multiply with 25.4", this), "MultiplyWidth");
  auto* multiplyHeight = Named(new QPushButton("Multiply with 25.4", this), "MultiplyHeight");
  auto* ok = Named(new QPushButton("OK", this), "OK");
  auto* cancel = Named(new QPushButton("Cancel", this), "Cancel");
  ok->setDefault(true);
  name_->setMinimumWidth(kFieldWidth);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Papertext", this), 0, 0);
  layout->addWidget(name_, 0, 1);
  layout->addWidget(new QLabel("Width", this), 1, 0);
  layout->addWidget(width_, 1, 1);
  layout->addWidget(multiplyWidth, 1, 2);
  // The label's spelling is the one users of the program know.
  layout->addWidget(new QLabel("Heght", this), 2, 0);
  layout->addWidget(height_, 2, 1);
  layout->addWidget(multiplyHeight, 2, 2);
  layout->addWidget(new QLabel("Description", this), 3, 0);
  layout->addWidget(description_, 3, 1, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 4, 0, 1, 3);

  connect(multiplyWidth, &QPushButton::clicked, this, &Paperdefinition::MultiplyWidth);
  connect(multiplyHeight, &QPushButton::clicked, this, &Paperdefinition::MultiplyHeight);
  connect(ok, &QPushButton::clicked, this, &Paperdefinition::accept);
  connect(cancel, &QPushButton::clicked, this, &Paperdefinition::reject);
}

void Paperdefinition::Fill(const PaperSizeRow& row) {
  name_->setText(ToQt(row.name));
  width_->setText(ToQt(row.width));
  height_->setText(ToQt(row.height));
  description_->setText(ToQt(row.description));
}

PaperSizeRow Paperdefinition::Entered() const {
  return {FromQt(name_->text()), FromQt(width_->text()), FromQt(height_->text()), FromQt(description_->text())};
}

void Paperdefinition::MultiplyWidth() { Multiply(*width_); }
void Paperdefinition::MultiplyHeight() { Multiply(*height_); }

void Paperdefinition::accept() {
  const PaperSizeRow entered = Entered();
  if (const std::optional<std::string> problem = PaperDefinitionProblem(entered)) {
    dialogs_.ShowMessage(*problem);
    return;
  }
  if (const std::optional<std::string> character = CharacterNotInCodePage(JoinPaperSizeLine(entered), codePage_)) {
    dialogs_.ShowMessage(CharacterNotInCodePageMessage(*character, codePage_));
    return;
  }
  QDialog::accept();
}

}  // namespace korrin
