#include "ViewBitmap.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <functional>

namespace korrin::standin {
namespace {

// Views larger than this are refused rather than allocated.
constexpr std::int32_t kLargestSide = 16384;
constexpr int kMargin = 8;

// The view's background as the host draws it, and a tint per document so
// two views of different documents never look the same.
void PaintView(QImage& image, const std::string& documentName, const ModelNode& model) {
  QPainter painter(&image);
  QLinearGradient background(0, 0, 0, image.height());
  background.setColorAt(0, QColor(236, 240, 246));
  background.setColorAt(1, QColor(176, 190, 210));
  painter.fillRect(image.rect(), background);
  const std::size_t hash = std::hash<std::string>{}(documentName);
  const QColor tint(static_cast<int>(hash & 0x7F) + 64, static_cast<int>((hash >> 8) & 0x7F) + 64,
                    static_cast<int>((hash >> 16) & 0x7F) + 64);
  painter.setPen(QPen(tint.darker(160), 2));
  painter.setBrush(tint);
  const int size = std::max(1, std::min(image.width(), image.height()) / 2);
  const int components = static_cast<int>(model.components.size());
  const int count = std::max(1, components);
  const int step = std::max(1, (image.width() - 2 * kMargin) / count);
  for (int i = 0; i < count; ++i) {
    painter.drawRect(kMargin + i * step, (image.height() - size) / 2, std::max(1, step - kMargin), size);
  }
}

}  // namespace

Status WriteViewBitmap(const std::string& fileName, std::int32_t width, std::int32_t height,
                       const std::string& documentName, const ModelNode& model) {
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
    return Failure{EINVAL, "A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                               " pixels cannot be written."};
  }
  QImage image(width, height, QImage::Format_RGB32);
  PaintView(image, documentName, model);
  QSaveFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit()) {
    return Failure{EIO, "Cannot write the bitmap " + fileName + ": " + file.errorString().toStdString()};
  }
  return {};
}

}  // namespace korrin::standin
