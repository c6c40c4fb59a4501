#include "geometry/ProjectedView.h"

#include <algorithm>

namespace korrin::standin {

ViewBounds BoundsOf(const ProjectedView& view) {
  bool any = false;
  ViewBounds bounds;
  auto include = [&](const ViewPoint& point) {
    if (!any) {
      bounds = {point.x, point.y, point.x, point.y};
      any = true;
      return;
    }
    bounds.left = std::min(bounds.left, point.x);
    bounds.right = std::max(bounds.right, point.x);
    bounds.bottom = std::min(bounds.bottom, point.y);
    bounds.top = std::max(bounds.top, point.y);
  };
  for (const auto* edges : {&view.visibleEdges, &view.hiddenEdges}) {
    for (const ViewPolyline& polyline : *edges) {
      for (const ViewPoint& point : polyline) include(point);
    }
  }
  for (const ViewFacet& facet : view.facets) {
    for (const ViewPoint& point : facet.corners) include(point);
  }
  return bounds;
}

}  // namespace korrin::standin
