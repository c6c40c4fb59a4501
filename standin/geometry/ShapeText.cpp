#include "geometry/ShapeText.h"

#include <BRepTools.hxx>
#include <BRepTools_ShapeSet.hxx>
#include <BRep_Builder.hxx>
#include <TopTools_FormatVersion.hxx>
#include <iterator>
#include <sstream>

#include "geometry/GeometryFailure.h"
#include "geometry/OcctGuard.h"

namespace korrin::standin {
namespace {

constexpr std::string_view kTopologyTitle = "CASCADE Topology";

Failure NotBrepText(std::string_view why) { return {kModelFileBroken, "not a B-rep text: " + std::string(why)}; }

// What the reader left of the text, without the blanks around it.
std::string Unread(std::istringstream& in) {
  in.exceptions(std::ios::goodbit);
  const std::string rest{std::istreambuf_iterator<char>(in.rdbuf()), std::istreambuf_iterator<char>()};
  const std::size_t first = rest.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return rest.substr(first, rest.find_last_not_of(" \t\r\n") - first + 1);
}

// Open CASCADE's readers give up quietly on a table whose title they do not
// find, and the shape reader takes no text at all from an empty table: only
// what is left of the text and the table itself tell a cut text from a whole
// one. The writer puts the shape last, after all the shapes it is made of.
Result<TopoDS_Shape> CheckedShape(const BRepTools_ShapeSet& table, const TopoDS_Shape& shape, std::string_view unread) {
  constexpr std::string_view kNoShapeMark = "*";
  if (table.NbShapes() == 0) {
    if (unread == kNoShapeMark) return NotBrepText("it holds no shape");
    if (unread.empty()) return NotBrepText("it is damaged or cut short (it ends before its shapes)");
  }
  if (!unread.empty()) return NotBrepText("it is damaged or cut short (text follows its shape)");
  if (!shape.IsPartner(table.Shape(table.NbShapes())))
    return NotBrepText("it is damaged or cut short (the shape named last is not the last one written)");
  return shape;
}

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
    const BRep_Builder builder;
    BRepTools_ShapeSet table(builder);
    TopoDS_Shape shape;
    try {
      table.Read(in);
      table.Read(shape, in);
    } catch (const std::ios_base::failure&) {
      return NotBrepText("it is damaged or cut short (reading failed: a number or a word could not be read)");
    }
    return CheckedShape(table, shape, Unread(in));
  });
  // Open CASCADE throws on a table that ends early or refers past its end.
  if (!read && read.failure().number == kGeometryFailed) {
    return NotBrepText("it is damaged or cut short (" + read.failure().description + ")");
  }
  return read;
}

}  // namespace korrin::standin
