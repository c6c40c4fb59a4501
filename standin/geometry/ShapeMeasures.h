#pragma once

#include <TopoDS_Shape.hxx>

#include "ports/Result.h"

namespace korrin::standin {

// An axis-aligned box in millimetres; all zero for an empty shape.
struct BoundingBox {
  double xMin = 0, yMin = 0, zMin = 0;
  double xMax = 0, yMax = 0, zMax = 0;
};

// What the host reports of a shape, in millimetres: the volume of its solids
// (0 for faces and curves), the area of its faces, the tight box of its exact
// geometry (meshes are not used), and how many solids and faces it has.
// A shape Open CASCADE cannot measure gives a failure (kGeometryFailed).
struct ShapeMeasures {
  double volume = 0;
  double surfaceArea = 0;
  BoundingBox box;
  int solidCount = 0;
  int faceCount = 0;
};

Result<ShapeMeasures> Measure(const TopoDS_Shape& shape);

}  // namespace korrin::standin
