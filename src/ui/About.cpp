#include "ui/About.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

namespace korrin {
namespace {

constexpr int kImageSide = 64;
constexpr int kInitialWidth = 560;
constexpr int kInitialHeight = 420;

// The product's mark: a document turning into another, drawn rather than
// shipped as a file.
QPixmap ProductImage() {
  QPixmap image(kImageSide, kImageSide);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(20, 50, 120), 2));
  painter.setBrush(QColor(214, 228, 247));
  painter.drawRect(6, 6, 30, 38);
  painter.setBrush(QColor(247, 228, 200));
  painter.drawRect(28, 22, 30, 38);
  painter.drawLine(22, 50, 30, 56);
  return image;
}

QLabel* Named(QLabel* label, const char* name) {
  label->setObjectName(name);
  return label;
}

}  // namespace

About::About(QWidget* parent)
    : QDialog(parent), version_(new QLabel("Release", this)), help_(new QPlainTextEdit(this)) {
  setObjectName("About");
  setWindowTitle("About");
  auto* image = new QLabel(this);
  image->setPixmap(ProductImage());
  version_->setObjectName("Label5");
  help_->setObjectName("Text1");
  help_->setReadOnly(true);
  QStringList lines;
  for (const char* line : kAboutHelpLines) lines << QString::fromUtf8(line);
  help_->setPlainText(lines.join('\n'));
  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(image, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(Named(new QLabel("Autodesk Inventor", this), "Label1"), 0, 1);
  layout->addWidget(Named(new QLabel("Korrin", this), "Label2"), 1, 1);
  auto* release = new QHBoxLayout;
  release->addWidget(Named(new QLabel("Release", this), "Label4"));
  release->addWidget(version_);
  release->addStretch(1);
  layout->addLayout(release, 2, 1);
  layout->addWidget(help_, 3, 0, 1, 2);
  layout->addWidget(ok, 4, 1, Qt::AlignRight);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(3, 1);
  resize(kInitialWidth, kInitialHeight);
}

void About::ShowRelease(const QString& version) {
  version_->setText(version);
  show();
}

}  // namespace korrin
