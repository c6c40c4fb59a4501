#include "DrawingPage.h"

#include <QPolygonF>

#include "SheetContent.h"
#include "StandinFailures.h"

namespace korrin::standin {
namespace {

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

QPen PenFor(SheetPart part, const Ink& ink) {
  switch (part) {
    case SheetPart::Edge:
      return PenOf(ink(kSheetEdgeColour), kSheetEdgeWidth);
    case SheetPart::Border:
      return PenOf(ink(kLineColour), kBorderWidth);
    case SheetPart::TitleBlock:
      return PenOf(ink(kLineColour), kTitleBlockLineWidth);
    case SheetPart::VisibleEdge:
      return PenOf(ink(kLineColour), kVisibleEdgeWidth);
    case SheetPart::HiddenEdge:
      break;
  }
  return HiddenEdgePen(ink(kHiddenEdgeColour), kHiddenEdgeWidth);
}

void PaintLine(QPainter& painter, const SheetLine& line, const Ink& ink) {
  painter.setPen(PenFor(line.part, ink));
  const QPolygonF points(QList<QPointF>(line.points.begin(), line.points.end()));
  if (line.closed) {
    painter.drawPolygon(points);
  } else {
    painter.drawPolyline(points);
  }
}

}  // namespace

Result<ProjectedView> ProjectedModel(GeometryExchange* geometry, const ModelNode& model, ViewDirection direction,
                                     bool withFacets) {
  if (geometry == nullptr) return Unspecified("This stand-in host has no geometry: it cannot draw views.");
  auto view = geometry->Project(model, direction, withFacets);
  if (!view) return Failure{view.failure().number, "The view of \"" + model.name + "\": " + view.failure().description};
  return view;
}

Result<std::vector<ModelViews>> ProjectedModels(GeometryExchange* geometry, const std::vector<ModelNode>& models) {
  std::vector<ModelViews> projected;
  for (const ModelNode& model : models) {
    ModelViews views;
    for (const auto& [direction, view] : {std::pair{ViewDirection::Front, &views.front},
                                          std::pair{ViewDirection::Top, &views.top},
                                          std::pair{ViewDirection::Right, &views.right}}) {
      auto one = ProjectedModel(geometry, model, direction, false);
      if (!one) return one.failure();
      *view = std::move(one).value();
    }
    projected.push_back(std::move(views));
  }
  return projected;
}

void PaintDrawingSheet(QPainter& painter, const QSizeF& pageSize, const DrawingSheetPicture& picture,
                       const SheetOnPaper& placement, const Ink& ink) {
  const SheetContent content = LayOutSheet(picture);
  painter.save();
  PlaceSheet(painter, pageSize, content.size, placement);
  if (content.titleBand) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink(kTitleBandColour));
    painter.drawRect(*content.titleBand);
  }
  painter.setBrush(Qt::NoBrush);
  for (const SheetLine& line : content.lines) PaintLine(painter, line, ink);
  painter.setPen(ink(kTitleTextColour));
  for (const SheetText& text : content.texts) {
    DrawText(painter, text.box, QString::fromStdString(text.text), text.height, text.flags);
  }
  painter.restore();
}

}  // namespace korrin::standin
