#include "SheetContent.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "DrawingPage.h"

namespace korrin::standin {
namespace {

constexpr double kMillimetresPerCentimetre = 10;
constexpr double kBorderInset = 10;
constexpr double kGapAboveTitleBlock = 5;
constexpr double kTitleBlockWidth = 180;
constexpr double kTitleBlockHeight = 32;
constexpr double kTitleBandShare = 0.45;  // of the block's height
constexpr double kTextPadding = 2;
constexpr double kNameHeight = 7;  // text heights in a full-size block
constexpr double kFieldLabelHeight = 2;
constexpr double kFieldValueHeight = 3.5;

std::vector<QPointF> Corners(const QRectF& rectangle) {
  return {rectangle.topLeft(), rectangle.topRight(), rectangle.bottomRight(), rectangle.bottomLeft()};
}

void AddRectangle(SheetContent& content, SheetPart part, const QRectF& rectangle) {
  content.lines.push_back({part, Corners(rectangle), true});
}

void AddSegment(SheetContent& content, SheetPart part, const QPointF& from, const QPointF& to) {
  content.lines.push_back({part, {from, to}, false});
}

// The border, with a centring mark from the middle of each side to the
// sheet's edge, as drawing borders have for folding and copying.
void AddBorder(SheetContent& content, const QRectF& area) {
  const QSizeF& sheet = content.size;
  AddRectangle(content, SheetPart::Border, area);
  const QPointF centre(sheet.width() / 2, sheet.height() / 2);
  AddSegment(content, SheetPart::Border, QPointF(centre.x(), 0), QPointF(centre.x(), area.top()));
  AddSegment(content, SheetPart::Border, QPointF(centre.x(), area.bottom()), QPointF(centre.x(), sheet.height()));
  AddSegment(content, SheetPart::Border, QPointF(0, centre.y()), QPointF(area.left(), centre.y()));
  AddSegment(content, SheetPart::Border, QPointF(area.right(), centre.y()), QPointF(sheet.width(), centre.y()));
}

// In the bottom right corner of the drawing area; smaller on sheets too
// small for the full block.
QRectF TitleBlockRectangle(const QRectF& area) {
  const double width = std::min(kTitleBlockWidth, area.width());
  const double height = std::min(kTitleBlockHeight, area.height() / 3);
  return {area.right() - width, area.bottom() - height, width, height};
}

std::string ScaleText(double scale) {
  if (scale >= 1) return std::to_string(std::lround(scale)) + ":1";
  return "1:" + std::to_string(std::lround(1 / scale));
}

// A band naming the drawing, and below it three fields: the sheet, the
// views' scale, and which sheet of how many.
void AddTitleBlock(SheetContent& content, const QRectF& block, const DrawingSheetPicture& picture, double viewScale) {
  const double size = block.height() / kTitleBlockHeight;  // text shrinks with the block
  const QRectF band(block.left(), block.top(), block.width(), block.height() * kTitleBandShare);
  content.titleBand = band;
  AddRectangle(content, SheetPart::TitleBlock, block);
  AddSegment(content, SheetPart::TitleBlock, band.bottomLeft(), band.bottomRight());
  content.texts.push_back({band.adjusted(kTextPadding, 0, -kTextPadding, 0), picture.drawingName,
                           kNameHeight * size, Qt::AlignLeft | Qt::AlignVCenter});

  const std::string fields[3][2] = {
      {"SHEET", picture.sheet.name},
      {"SCALE", ScaleText(viewScale)},
      {"NUMBER", std::to_string(picture.sheetNumber) + " of " + std::to_string(picture.sheetCount)},
  };
  const double fieldWidth = block.width() / 3;
  for (int field = 0; field < 3; ++field) {
    const QRectF cell(block.left() + fieldWidth * field, band.bottom(), fieldWidth, block.bottom() - band.bottom());
    if (field > 0) AddSegment(content, SheetPart::TitleBlock, cell.topLeft(), cell.bottomLeft());
    const QRectF inside = cell.adjusted(kTextPadding, kTextPadding * size, -kTextPadding, -kTextPadding * size);
    content.texts.push_back({inside, fields[field][0], kFieldLabelHeight * size, Qt::AlignLeft | Qt::AlignTop});
    content.texts.push_back({inside, fields[field][1], kFieldValueHeight * size, Qt::AlignLeft | Qt::AlignBottom});
  }
}

void AddEdges(SheetContent& content, SheetPart part, const std::vector<ViewPolyline>& edges,
              const ViewPlacement& placement) {
  for (const ViewPolyline& edge : edges) {
    if (edge.size() < 2) continue;
    SheetLine line{part, {}, false};
    line.points.reserve(edge.size());
    for (const ViewPoint& point : edge) line.points.push_back(placement.Map(point));
    content.lines.push_back(std::move(line));
  }
}

void AddViews(SheetContent& content, const SheetViewLayout& layout) {
  for (const PlacedView& placed : layout.views) {
    AddEdges(content, SheetPart::HiddenEdge, placed.view->hiddenEdges, placed.placement);
    AddEdges(content, SheetPart::VisibleEdge, placed.view->visibleEdges, placed.placement);
  }
}

}  // namespace

QSizeF SheetMillimetres(const StandinSheet& sheet) {
  return {sheet.widthCentimetres * kMillimetresPerCentimetre, sheet.heightCentimetres * kMillimetresPerCentimetre};
}

SheetContent LayOutSheet(const DrawingSheetPicture& picture) {
  SheetContent content;
  content.size = SheetMillimetres(picture.sheet);
  const QRectF area =
      QRectF(QPointF(0, 0), content.size).adjusted(kBorderInset, kBorderInset, -kBorderInset, -kBorderInset);
  std::optional<QRectF> titleBlock;
  QRectF viewArea = area;
  if (picture.sheet.titleBlock) {
    titleBlock = TitleBlockRectangle(area);
    viewArea.setBottom(titleBlock->top() - kGapAboveTitleBlock);
  }
  const SheetViewLayout layout = LayOutViews(picture.models, viewArea);

  AddRectangle(content, SheetPart::Edge, QRectF(QPointF(0, 0), content.size));
  if (picture.sheet.border) AddBorder(content, area);
  AddViews(content, layout);
  if (titleBlock) AddTitleBlock(content, *titleBlock, picture, layout.scale);
  return content;
}

}  // namespace korrin::standin
