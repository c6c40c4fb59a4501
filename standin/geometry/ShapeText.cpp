#include "geometry/ShapeText.h"

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <TopTools_FormatVersion.hxx>
#include <sstream>

#include "geometry/GeometryFailure.h"
#include "geometry/OcctGuard.h"

namespace korrin::standin {
namespace {

constexpr std::string_view kTopologyTitle = "CASCADE Topology";

Failure NotBrepText(std::string_view why) { return {kModelFileBroken, "not a B-rep text: " + std::string(why)}; }

}  // namespace

std::string BrepText(const TopoDS_Shape& shape) {
  std::ostringstream out;
  // Without triangles and normals: documents hold exact geometry only.
  const bool withTriangles = false;
  const bool withNormals = false;
  BRepTools::Write(shape, out, withTriangles, withNormals, TopTools_FormatVersion_CURRENT);
  return out.str();
}

Result<TopoDS_Shape> ShapeFromBrepText(std::string_view text) {
  if (text.find(kTopologyTitle) == std::string_view::npos)
    return NotBrepText("the \"CASCADE Topology\" title is missing");
  const Result<TopoDS_Shape> read = Guarded("reading", [&]() -> Result<TopoDS_Shape> {
    std::istringstream in{std::string(text)};
    TopoDS_Shape shape;
    BRepTools::Read(shape, in, BRep_Builder());
    if (shape.IsNull()) return NotBrepText("it holds no shape");
    return shape;
  });
  // Open CASCADE throws on a table that ends early or refers past its end.
  if (!read && read.failure().number == kGeometryFailed) {
    return NotBrepText("it is damaged or cut short (" + read.failure().description + ")");
  }
  return read;
}

}  // namespace korrin::standin
