#include "ViewBitmap.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cerrno>

namespace korrin::standin {
namespace {

// Views larger than this are refused rather than allocated.
constexpr std::int32_t kLargestSide = 16384;
// The screen's 96 dots to the inch, written into the file's header so the
// header is the same every time.
constexpr int kDotsPerMetre = 3780;
constexpr double kScreenPixelsPerMillimetre = 96 / 25.4;
constexpr double kShortestViewPage = 127;  // millimetres

void PaintPage(QImage& image, const BitmapPage& page, const PagePainter& paint) {
  image.fill(page.surround);
  if (page.millimetres.width() <= 0 || page.millimetres.height() <= 0) return;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale =
      std::min(image.width() / page.millimetres.width(), image.height() / page.millimetres.height());
  painter.translate((image.width() - page.millimetres.width() * scale) / 2,
                    (image.height() - page.millimetres.height() * scale) / 2);
  painter.scale(scale, scale);
  painter.fillRect(QRectF(QPointF(0, 0), page.millimetres), page.paper);
  paint(painter, page.millimetres);
}

}  // namespace

QSizeF ViewPageOf(std::int32_t width, std::int32_t height) {
  const double shorter = std::max(1, std::min(width, height));
  const double pixelsPerMillimetre = std::min(kScreenPixelsPerMillimetre, shorter / kShortestViewPage);
  return {width / pixelsPerMillimetre, height / pixelsPerMillimetre};
}

Status WriteViewBitmap(const std::string& fileName, std::int32_t width, std::int32_t height, const BitmapPage& page,
                       const PagePainter& paint) {
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
    return Failure{EINVAL, "A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                               " pixels cannot be written."};
  }
  // Three bytes a pixel, so Qt writes the file with 24 bits a pixel.
  QImage image(width, height, QImage::Format_RGB888);
  if (image.isNull()) {
    return Failure{ENOMEM, "A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                               " pixels does not fit into memory."};
  }
  image.setDotsPerMeterX(kDotsPerMetre);
  image.setDotsPerMeterY(kDotsPerMetre);
  PaintPage(image, page, paint);
  QSaveFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit()) {
    return Failure{EIO, "Cannot write the bitmap " + fileName + ": " + file.errorString().toStdString()};
  }
  return {};
}

}  // namespace korrin::standin
