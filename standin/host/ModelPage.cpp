#include "ModelPage.h"

#include <QPolygonF>
#include <algorithm>

namespace korrin::standin {
namespace {

constexpr double kPageMargin = 10;  // millimetres
constexpr double kEdgeWidth = 0.35;
constexpr double kHiddenEdgeWidth = 0.25;
constexpr double kShadedEdgeWidth = 0.2;
// A facet in full light gets the whole colour, one facing away this much.
constexpr double kAmbientLight = 0.35;
// Facets are outlined in their own colour, so no seam shows between them.
constexpr double kFacetSeamWidth = 0.1;

const QColor kEdgeColour(20, 20, 20);
const QColor kWireColour(30, 60, 130);
const QColor kHiddenEdgeColour(110, 120, 140);
const QColor kSurfaceColour(70, 120, 190);

ViewPlacement FitToPage(const ProjectedView& view, const QSizeF& page) {
  const ViewBounds bounds = BoundsOf(view);
  const double width = page.width() - 2 * kPageMargin;
  const double height = page.height() - 2 * kPageMargin;
  double scale = 1;
  if (bounds.width() > 0 && bounds.height() > 0) {
    scale = std::min(width / bounds.width(), height / bounds.height());
  } else if (bounds.width() > 0) {
    scale = width / bounds.width();
  } else if (bounds.height() > 0) {
    scale = height / bounds.height();
  }
  const QPointF topLeft(kPageMargin + (width - bounds.width() * scale) / 2,
                        kPageMargin + (height - bounds.height() * scale) / 2);
  return {bounds, scale, topLeft};
}

QColor LitColour(double brightness) {
  const double light = kAmbientLight + (1 - kAmbientLight) * std::clamp(brightness, 0.0, 1.0);
  return QColor::fromRgbF(static_cast<float>(kSurfaceColour.redF() * light),
                          static_cast<float>(kSurfaceColour.greenF() * light),
                          static_cast<float>(kSurfaceColour.blueF() * light));
}

void PaintFacets(QPainter& painter, const ProjectedView& view, const ViewPlacement& placement, const Ink& ink) {
  for (const ViewFacet& facet : view.facets) {
    const QColor colour = ink(LitColour(facet.brightness));
    painter.setPen(PenOf(colour, kFacetSeamWidth));
    painter.setBrush(colour);
    const QPolygonF corners{placement.Map(facet.corners[0]), placement.Map(facet.corners[1]),
                            placement.Map(facet.corners[2])};
    painter.drawPolygon(corners);
  }
}

}  // namespace

void PaintModelView(QPainter& painter, const QSizeF& pageSize, const ProjectedView& view, ModelViewStyle style,
                    const Ink& ink) {
  if (view.empty()) return;
  const ViewPlacement placement = FitToPage(view, pageSize);
  painter.save();
  switch (style) {
    case ModelViewStyle::Wireframe:
      painter.setPen(PenOf(ink(kWireColour), kEdgeWidth));
      DrawPolylines(painter, view.hiddenEdges, placement);
      DrawPolylines(painter, view.visibleEdges, placement);
      break;
    case ModelViewStyle::HiddenEdges:
      painter.setPen(HiddenEdgePen(ink(kHiddenEdgeColour), kHiddenEdgeWidth));
      DrawPolylines(painter, view.hiddenEdges, placement);
      painter.setPen(PenOf(ink(kEdgeColour), kEdgeWidth));
      DrawPolylines(painter, view.visibleEdges, placement);
      break;
    case ModelViewStyle::Shaded:
      PaintFacets(painter, view, placement, ink);
      painter.setPen(PenOf(ink(kEdgeColour), kShadedEdgeWidth));
      painter.setBrush(Qt::NoBrush);
      DrawPolylines(painter, view.visibleEdges, placement);
      break;
  }
  painter.restore();
}

}  // namespace korrin::standin
