#include "DrawingPage.h"

#include <cmath>
#include <optional>

namespace korrin::standin {
namespace {

constexpr double kMillimetresPerCentimetre = 10;
// Lengths in millimetres of the sheet.
constexpr double kBorderInset = 10;
constexpr double kGapAboveTitleBlock = 5;
constexpr double kTitleBlockWidth = 180;
constexpr double kTitleBlockHeight = 32;
constexpr double kTextPadding = 2;
constexpr double kSheetEdgeWidth = 0.18;
constexpr double kBorderWidth = 0.7;
constexpr double kTitleBlockLineWidth = 0.35;
constexpr double kVisibleEdgeWidth = 0.35;
constexpr double kHiddenEdgeWidth = 0.25;

const QColor kSheetEdgeColour(160, 160, 160);
const QColor kLineColour(0, 0, 0);
const QColor kHiddenEdgeColour(40, 70, 160);
const QColor kTitleBandColour(214, 228, 247);
const QColor kTitleTextColour(20, 50, 120);

// From here on the painter draws in millimetres of the sheet.
void PlaceSheet(QPainter& painter, const QSizeF& page, const QSizeF& sheet, const SheetOnPaper& placement) {
  painter.translate(page.width() / 2, page.height() / 2);
  if (placement.rotate90Degrees) painter.rotate(-90);  // Qt turns clockwise for positive angles
  painter.scale(placement.scale, placement.scale);
  painter.translate(-sheet.width() / 2, -sheet.height() / 2);
}

void PaintSheetEdge(QPainter& painter, const QSizeF& sheet, const Ink& ink) {
  painter.setPen(PenOf(ink(kSheetEdgeColour), kSheetEdgeWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(QPointF(0, 0), sheet));
}

// The border, with a centring mark from the middle of each side to the
// sheet's edge, as drawing borders have for folding and copying.
void PaintBorder(QPainter& painter, const QSizeF& sheet, const QRectF& area, const Ink& ink) {
  painter.setPen(PenOf(ink(kLineColour), kBorderWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
  const QPointF centre(sheet.width() / 2, sheet.height() / 2);
  painter.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), area.top()));
  painter.drawLine(QPointF(centre.x(), area.bottom()), QPointF(centre.x(), sheet.height()));
  painter.drawLine(QPointF(0, centre.y()), QPointF(area.left(), centre.y()));
  painter.drawLine(QPointF(area.right(), centre.y()), QPointF(sheet.width(), centre.y()));
}

// In the bottom right corner of the drawing area; smaller on sheets too
// small for the full block.
QRectF TitleBlockRectangle(const QRectF& area) {
  const double width = std::min(kTitleBlockWidth, area.width());
  const double height = std::min(kTitleBlockHeight, area.height() / 3);
  return {area.right() - width, area.bottom() - height, width, height};
}

QString ScaleText(double scale) {
  if (scale >= 1) return QStringLiteral("%1:1").arg(std::lround(scale));
  return QStringLiteral("1:%1").arg(std::lround(1 / scale));
}

// A band naming the drawing, and below it three fields: the sheet, the
// views' scale, and which sheet of how many.
void PaintTitleBlock(QPainter& painter, const QRectF& block, const DrawingSheetPicture& picture, double viewScale,
                     const Ink& ink) {
  const double size = block.height() / kTitleBlockHeight;  // text shrinks with the block
  const QRectF band(block.left(), block.top(), block.width(), block.height() * 0.45);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink(kTitleBandColour));
  painter.drawRect(band);
  painter.setPen(PenOf(ink(kLineColour), kTitleBlockLineWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(block);
  painter.drawLine(band.bottomLeft(), band.bottomRight());
  painter.setPen(ink(kTitleTextColour));
  DrawText(painter, band.adjusted(kTextPadding, 0, -kTextPadding, 0), QString::fromStdString(picture.drawingName),
           7 * size, Qt::AlignLeft | Qt::AlignVCenter);

  const QString fields[3][2] = {
      {QStringLiteral("SHEET"), QString::fromStdString(picture.sheet.name)},
      {QStringLiteral("SCALE"), ScaleText(viewScale)},
      {QStringLiteral("NUMBER"), QStringLiteral("%1 of %2").arg(picture.sheetNumber).arg(picture.sheetCount)},
  };
  const double fieldWidth = block.width() / 3;
  for (int field = 0; field < 3; ++field) {
    const QRectF cell(block.left() + fieldWidth * field, band.bottom(), fieldWidth, block.bottom() - band.bottom());
    painter.setPen(PenOf(ink(kLineColour), kTitleBlockLineWidth));
    if (field > 0) painter.drawLine(cell.topLeft(), cell.bottomLeft());
    const QRectF inside = cell.adjusted(kTextPadding, kTextPadding * size, -kTextPadding, -kTextPadding * size);
    DrawText(painter, inside, fields[field][0], 2 * size, Qt::AlignLeft | Qt::AlignTop);
    DrawText(painter, inside, fields[field][1], 3.5 * size, Qt::AlignLeft | Qt::AlignBottom);
  }
}

void PaintViews(QPainter& painter, const SheetViewLayout& layout, const Ink& ink) {
  painter.setBrush(Qt::NoBrush);
  for (const PlacedView& placed : layout.views) {
    painter.setPen(HiddenEdgePen(ink(kHiddenEdgeColour), kHiddenEdgeWidth));
    DrawPolylines(painter, placed.view->hiddenEdges, placed.placement);
    painter.setPen(PenOf(ink(kLineColour), kVisibleEdgeWidth));
    DrawPolylines(painter, placed.view->visibleEdges, placed.placement);
  }
}

}  // namespace

QSizeF SheetMillimetres(const StandinSheet& sheet) {
  return {sheet.widthCentimetres * kMillimetresPerCentimetre, sheet.heightCentimetres * kMillimetresPerCentimetre};
}

void PaintDrawingSheet(QPainter& painter, const QSizeF& pageSize, const DrawingSheetPicture& picture,
                       const SheetOnPaper& placement, const Ink& ink) {
  const QSizeF sheet = SheetMillimetres(picture.sheet);
  const QRectF area = QRectF(QPointF(0, 0), sheet).adjusted(kBorderInset, kBorderInset, -kBorderInset, -kBorderInset);
  std::optional<QRectF> titleBlock;
  QRectF viewArea = area;
  if (picture.sheet.titleBlock) {
    titleBlock = TitleBlockRectangle(area);
    viewArea.setBottom(titleBlock->top() - kGapAboveTitleBlock);
  }
  const SheetViewLayout layout = LayOutViews(picture.models, viewArea);

  painter.save();
  PlaceSheet(painter, pageSize, sheet, placement);
  PaintSheetEdge(painter, sheet, ink);
  if (picture.sheet.border) PaintBorder(painter, sheet, area, ink);
  PaintViews(painter, layout, ink);
  if (titleBlock) PaintTitleBlock(painter, *titleBlock, picture, layout.scale, ink);
  painter.restore();
}

}  // namespace korrin::standin
