#pragma once

#include <TopoDS_Shape.hxx>
#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin::standin {

// The shape as Open CASCADE's "CASCADE Topology" text, the geometry payload of
// the stand-in's documents: exact geometry only, no meshes, no normals.
std::string BrepText(const TopoDS_Shape& shape);

// The shape a BrepText holds. Text that is not such a text, holds no shape, or
// is damaged or cut short gives a failure (kModelFileBroken) saying which.
Result<TopoDS_Shape> ShapeFromBrepText(std::string_view text);

}  // namespace korrin::standin
