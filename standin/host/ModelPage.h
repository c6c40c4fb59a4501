#pragma once

#include <QPainter>
#include <QSizeF>

#include "PagePainting.h"
#include "geometry/ProjectedView.h"

namespace korrin::standin {

// How a model's view draws it, as the view's display mode says.
enum class ModelViewStyle {
  Wireframe,    // every edge, in sight or not, as a solid line
  HiddenEdges,  // edges in sight solid, those behind faces dashed
  Shaded,       // lit facets with the edges in sight over them
};

// Paints the view as large as it fits on the page, inside a margin, centred.
// The painter is in millimetres from the page's top-left corner.
void PaintModelView(QPainter& painter, const QSizeF& pageSize, const ProjectedView& view, ModelViewStyle style,
                    const Ink& ink);

}  // namespace korrin::standin
