#include "PagePainting.h"

#include <QFont>
#include <QGuiApplication>
#include <QPolygonF>
#include <QTransform>

namespace korrin::standin {
namespace {

// Text is laid out a hundred times larger and drawn scaled down: fonts
// take whole pixel sizes, and millimetres are too coarse a pixel for them.
constexpr double kTextUnitsPerMillimetre = 100;
constexpr double kHiddenDashMillimetres = 3;
constexpr double kHiddenGapMillimetres = 1.5;

}  // namespace

bool CanDrawText() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QColor Ink::operator()(const QColor& colour) const {
  if (!grey_) return colour;
  const int grey = qGray(colour.rgb());
  return QColor(grey, grey, grey, colour.alpha());
}

QPen PenOf(const QColor& colour, double widthMillimetres, Qt::PenStyle style) {
  QPen pen(colour, widthMillimetres, style, Qt::RoundCap, Qt::RoundJoin);
  pen.setCosmetic(false);
  return pen;
}

QPen HiddenEdgePen(const QColor& colour, double widthMillimetres) {
  QPen pen = PenOf(colour, widthMillimetres);
  pen.setCapStyle(Qt::FlatCap);
  // Qt measures dash patterns in pen widths.
  pen.setDashPattern({kHiddenDashMillimetres / widthMillimetres, kHiddenGapMillimetres / widthMillimetres});
  return pen;
}

void DrawText(QPainter& painter, const QRectF& rectangle, const QString& text, double heightMillimetres, int flags) {
  painter.save();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(heightMillimetres * kTextUnitsPerMillimetre)));
  painter.setFont(font);
  painter.translate(rectangle.topLeft());
  painter.scale(1 / kTextUnitsPerMillimetre, 1 / kTextUnitsPerMillimetre);
  const QRectF scaled(0, 0, rectangle.width() * kTextUnitsPerMillimetre, rectangle.height() * kTextUnitsPerMillimetre);
  painter.drawText(scaled, flags, text);
  painter.restore();
}

QPointF ViewPlacement::Map(const ViewPoint& point) const {
  return {topLeft.x() + (point.x - bounds.left) * scale, topLeft.y() + (bounds.top - point.y) * scale};
}

void DrawPolylines(QPainter& painter, const std::vector<ViewPolyline>& polylines, const ViewPlacement& placement) {
  for (const ViewPolyline& polyline : polylines) {
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(polyline.size()));
    for (const ViewPoint& point : polyline) points.append(placement.Map(point));
    painter.drawPolyline(points);
  }
}

}  // namespace korrin::standin
