#include "geometry/SampleImportShapes.h"

#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <gp_Trsf.hxx>
#include <limits>
#include <vector>

#include "geometry/OcctGuard.h"
#include "geometry/OneShape.h"

namespace korrin::standin {
namespace {

TopoDS_Shape CornerMoved(const TopoDS_Shape& shape, double offset) {
  const TopoDS_Shape copy = BRepBuilderAPI_Copy(shape).Shape();
  TopTools_IndexedMapOfShape vertices;
  TopExp::MapShapes(copy, TopAbs_VERTEX, vertices);
  TopoDS_Vertex corner;
  double farthest = -std::numeric_limits<double>::infinity();
  for (int index = 1; index <= vertices.Extent(); ++index) {
    const TopoDS_Vertex& vertex = TopoDS::Vertex(vertices(index));
    const gp_Pnt point = BRep_Tool::Pnt(vertex);
    if (point.X() + point.Y() + point.Z() > farthest) {
      farthest = point.X() + point.Y() + point.Z();
      corner = vertex;
    }
  }
  if (corner.IsNull()) return copy;
  const gp_Pnt point = BRep_Tool::Pnt(corner);
  const gp_Pnt moved(point.X() + offset, point.Y() + offset, point.Z() + offset);
  BRep_Builder().UpdateVertex(corner, moved, BRep_Tool::Tolerance(corner));
  return copy;
}

TopoDS_Shape Row(const TopoDS_Shape& shape, int count, double pitch) {
  std::vector<TopoDS_Shape> copies;
  for (int index = 0; index < count; ++index) {
    gp_Trsf move;
    move.SetTranslation(gp_Vec(index * pitch, 0, 0));
    const bool copyGeometry = true;
    copies.push_back(BRepBuilderAPI_Transform(shape, move, copyGeometry).Shape());
  }
  return OneShape(copies);
}

}  // namespace

Result<TopoDS_Shape> WithCornerOffItsEdges(const TopoDS_Shape& shape, double offset) {
  return Guarded("moving a corner of a shape",
                 [&]() -> Result<TopoDS_Shape> { return CornerMoved(shape, offset); });
}

Result<TopoDS_Shape> InARow(const TopoDS_Shape& shape, int count, double pitch) {
  return Guarded("setting shapes in a row", [&]() -> Result<TopoDS_Shape> { return Row(shape, count, pitch); });
}

}  // namespace korrin::standin
