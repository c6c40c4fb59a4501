#pragma once

#include <array>
#include <vector>

namespace korrin::standin {

// Where a model is looked at from. Front looks at the XY plane from +Z with
// Y up; Top from +Y with -Z up; Right from +X with Y up (so the three sit as
// third-angle views: top above front, right beside it); Isometric from
// (1, 1, 1) with Y up.
enum class ViewDirection { Front, Top, Right, Isometric };

struct ViewPoint {
  double x = 0;  // millimetres in the view plane, x to the right
  double y = 0;  // and y up
};

using ViewPolyline = std::vector<ViewPoint>;

// A facet of a shaded view: its corners in the view plane, how far towards
// the viewer it lies (larger is nearer) and how much light it catches (0 to 1).
struct ViewFacet {
  std::array<ViewPoint, 3> corners;
  double depth = 0;
  double brightness = 0;
};

// A model projected onto a view plane: edges split into those in sight and
// those behind faces, silhouettes included, and for shaded views the facets
// that face the viewer. Nothing of it knows Open CASCADE.
struct ProjectedView {
  std::vector<ViewPolyline> visibleEdges;
  std::vector<ViewPolyline> hiddenEdges;
  std::vector<ViewFacet> facets;

  bool empty() const { return visibleEdges.empty() && hiddenEdges.empty() && facets.empty(); }
};

struct ViewBounds {
  double left = 0;
  double bottom = 0;
  double right = 0;
  double top = 0;

  double width() const { return right - left; }
  double height() const { return top - bottom; }
};

// The rectangle around everything the view holds; all zero for an empty view.
ViewBounds BoundsOf(const ProjectedView& view);

}  // namespace korrin::standin
