#include "geometry/SolidParts.h"

#include <TopoDS_Iterator.hxx>

#include "geometry/OneShape.h"

namespace korrin::standin {
namespace {

void Separate(const TopoDS_Shape& shape, std::vector<TopoDS_Shape>& solids, std::vector<TopoDS_Shape>& rest) {
  switch (shape.ShapeType()) {
    case TopAbs_COMPOUND:
    case TopAbs_COMPSOLID:
      for (TopoDS_Iterator child(shape); child.More(); child.Next()) Separate(child.Value(), solids, rest);
      return;
    case TopAbs_SOLID:
      solids.push_back(shape);
      return;
    default:
      rest.push_back(shape);
      return;
  }
}

}  // namespace

std::vector<NamedShape> SolidParts(const TopoDS_Shape& shape, const std::string& stem) {
  if (shape.IsNull()) return {};
  std::vector<TopoDS_Shape> solids;
  std::vector<TopoDS_Shape> rest;
  Separate(shape, solids, rest);
  if (solids.size() < 2) return {};
  std::vector<NamedShape> parts;
  for (const TopoDS_Shape& solid : solids) parts.push_back({stem + "_" + std::to_string(parts.size() + 1), solid});
  if (!rest.empty()) parts.push_back({stem + "_" + std::to_string(parts.size() + 1), OneShape(rest)});
  return parts;
}

}  // namespace korrin::standin
