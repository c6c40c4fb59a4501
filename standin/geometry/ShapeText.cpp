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
    // Open CASCADE's readers loop on a count read from the stream and never
    // look at its state: on a damaged number the count stays put and the read
    // never ends. A failed extraction therefore throws, and ends the read.
    in.exceptions(std::ios::failbit | std::ios::badbit);
    TopoDS_Shape shape;
    try {
      BRepTools::Read(shape, in, BRep_Builder());
    } catch (const std::ios_base::failure&) {
      return NotBrepText("it is damaged or cut short (reading failed: a number or a word could not be read)");
    }
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
