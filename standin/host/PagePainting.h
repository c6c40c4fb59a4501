#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "PagePainter.h"
#include "geometry/ProjectedView.h"

namespace korrin::standin {

// What the page renderers share. They paint in millimetres, from the page's
// (or the sheet's) top-left corner with y down, so a pen's width and a
// text's height are millimetres too.

// Colours as the page's colour mode prints them: in grey every colour
// becomes the grey of the same lightness.
// Text is laid out with the fonts of the program's QGuiApplication; without
// one Qt aborts the program at the first text, so pages with text ask first.
bool CanDrawText();

class Ink {
 public:
  explicit Ink(bool grey) : grey_(grey) {}
  QColor operator()(const QColor& colour) const;

 private:
  bool grey_;
};

QPen PenOf(const QColor& colour, double widthMillimetres, Qt::PenStyle style = Qt::SolidLine);
// A dashed pen for hidden edges: dashes and gaps of fixed length in
// millimetres, whatever the pen's width.
QPen HiddenEdgePen(const QColor& colour, double widthMillimetres);

// Text of the given height in millimetres, aligned in the rectangle as the
// flags say (Qt::AlignmentFlag).
void DrawText(QPainter& painter, const QRectF& rectangle, const QString& text, double heightMillimetres, int flags);

// Where a projected view lands on the page: the view's bounds (y up) are
// drawn at the scale with their top-left corner at topLeft.
struct ViewPlacement {
  ViewBounds bounds;
  double scale = 1;
  QPointF topLeft;

  QPointF Map(const ViewPoint& point) const;
};

void DrawPolylines(QPainter& painter, const std::vector<ViewPolyline>& polylines, const ViewPlacement& placement);

}  // namespace korrin::standin
