#pragma once

#include <QRectF>
#include <vector>

#include "PagePainting.h"
#include "geometry/ProjectedView.h"

namespace korrin::standin {

// The orthographic views of one model a drawing refers to.
struct ModelViews {
  ProjectedView front;
  ProjectedView top;
  ProjectedView right;
};

struct PlacedView {
  const ProjectedView* view = nullptr;
  ViewPlacement placement;
};

// Where the views of a sheet go, and the one scale they share.
struct SheetViewLayout {
  double scale = 1;
  std::vector<PlacedView> views;
};

// Lays out each model's views side by side in the area (sheet millimetres),
// one column per model, as third-angle projections: the top view above the
// front view, the right view beside it, lined up with it. The scale is the
// largest of the usual drawing scales (5:1 ... 1:1 ... 1:1000) at which
// every model's views fit their column. Models without a shape take their
// column and show nothing.
SheetViewLayout LayOutViews(const std::vector<ModelViews>& models, const QRectF& area);

}  // namespace korrin::standin
