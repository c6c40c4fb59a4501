#pragma once

#include <TopoDS_Shape.hxx>

#include "ports/Result.h"

namespace korrin::standin {

// Shapes for the sample files that show what the host does on import. Each
// leaves its input as it was; Open CASCADE aborting gives a failure
// (kGeometryFailed).

// A copy of the shape whose corner point farthest along (1, 1, 1) is moved
// by the offset along each axis, its tolerance unchanged: the edges that
// meet there no longer reach it. Read back within the file's precision, the
// faces around the corner have self-intersecting boundaries until healing
// widens the corner's tolerance over the gap.
Result<TopoDS_Shape> WithCornerOffItsEdges(const TopoDS_Shape& shape, double offset);

// Separate copies of the shape side by side along X, the pitch apart, as
// one compound of shapes that share nothing.
Result<TopoDS_Shape> InARow(const TopoDS_Shape& shape, int count, double pitch);

}  // namespace korrin::standin
