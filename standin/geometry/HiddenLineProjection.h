#pragma once

#include <TopoDS_Shape.hxx>

#include "geometry/ProjectedView.h"
#include "ports/Result.h"

namespace korrin::standin {

// Projects the shape along the direction with Open CASCADE's exact hidden
// line removal: edges, smooth edges and silhouettes, each split into its
// visible and hidden parts and cut into short straight pieces. With facets,
// the shape is also meshed and its facets that face the viewer are kept,
// for a shaded picture. A null shape gives an empty view.
Result<ProjectedView> ProjectShape(const TopoDS_Shape& shape, ViewDirection direction, bool withFacets);

}  // namespace korrin::standin
