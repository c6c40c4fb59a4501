#include "geometry/ShapeMeasures.h"

#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <TopAbs_ShapeEnum.hxx>
#include <TopExp_Explorer.hxx>

#include "geometry/OcctGuard.h"

namespace korrin::standin {
namespace {

int CountOf(const TopoDS_Shape& shape, TopAbs_ShapeEnum kind) {
  int count = 0;
  for (TopExp_Explorer explorer(shape, kind); explorer.More(); explorer.Next()) ++count;
  return count;
}

// The volume of the solids alone: a loose face or shell encloses nothing.
double SolidVolume(const TopoDS_Shape& shape) {
  double volume = 0;
  for (TopExp_Explorer explorer(shape, TopAbs_SOLID); explorer.More(); explorer.Next()) {
    GProp_GProps properties;
    BRepGProp::VolumeProperties(explorer.Current(), properties);
    volume += properties.Mass();
  }
  return volume;
}

double SurfaceArea(const TopoDS_Shape& shape) {
  GProp_GProps properties;
  BRepGProp::SurfaceProperties(shape, properties);
  return properties.Mass();
}

// The box of the exact curves and surfaces, without the tolerance margins
// and without any mesh the shape may carry.
BoundingBox TightBox(const TopoDS_Shape& shape) {
  Bnd_Box box;
  const bool useTriangulation = false;
  const bool useShapeTolerance = false;
  BRepBndLib::AddOptimal(shape, box, useTriangulation, useShapeTolerance);
  if (box.IsVoid()) return {};
  BoundingBox result;
  box.Get(result.xMin, result.yMin, result.zMin, result.xMax, result.yMax, result.zMax);
  return result;
}

}  // namespace

Result<ShapeMeasures> Measure(const TopoDS_Shape& shape) {
  if (shape.IsNull()) return ShapeMeasures{};
  return Guarded("measuring a shape", [&]() -> Result<ShapeMeasures> {
    ShapeMeasures measures;
    measures.volume = SolidVolume(shape);
    measures.surfaceArea = SurfaceArea(shape);
    measures.box = TightBox(shape);
    measures.solidCount = CountOf(shape, TopAbs_SOLID);
    measures.faceCount = CountOf(shape, TopAbs_FACE);
    return measures;
  });
}

}  // namespace korrin::standin
