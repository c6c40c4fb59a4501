#include "geometry/XglWriter.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <zlib.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <fstream>

#include "geometry/GeometryFailure.h"
#include "geometry/OcctGuard.h"
#include "geometry/SiblingFile.h"

namespace korrin::standin {
namespace {

// A plain matte grey part on a white ground, lit from over the viewer's
// shoulder.
constexpr const char* kWorldHeader =
    "<WORLD>\n"
    "<BACKGROUND><BACKCOLOR>1.0,1.0,1.0</BACKCOLOR></BACKGROUND>\n"
    "<LIGHTING><AMBIENT>0.3,0.3,0.3</AMBIENT><DIRECTIONALLIGHT><DIRECTION>-0.5,-0.5,-0.707107</DIRECTION>"
    "<DIFFUSE>0.8,0.8,0.8</DIFFUSE><SPECULAR>0.3,0.3,0.3</SPECULAR></DIRECTIONALLIGHT></LIGHTING>\n"
    "<MAT ID=\"0\"><AMB>0.25,0.25,0.25</AMB><DIFF>0.7,0.7,0.72</DIFF>"
    "<EMISS>0.0,0.0,0.0</EMISS><ALPHA>1.0</ALPHA></MAT>\n";
constexpr int kDecimals = 6;

// A part's mesh: the nodes of every face, each with a normal (a node on an
// edge appears once per face), and the triangles turned so they run
// counter-clockwise seen from outside.
struct MeshData {
  std::vector<gp_Pnt> positions;
  std::vector<gp_Vec> normals;
  std::vector<std::array<int, 3>> triangles;
};

// Numbers always carry a decimal point: some readers take "1,5" in "0,1,5"
// for a decimal comma.
std::string Number(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, kDecimals);
  if (error != std::errc()) return "0.0";
  std::string text(buffer, end);
  while (text.size() > 1 && text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
  if (text == "-0.0") return "0.0";
  return text;
}

std::string Triple(double x, double y, double z) { return Number(x) + "," + Number(y) + "," + Number(z); }
std::string Triple(const gp_XYZ& v) { return Triple(v.X(), v.Y(), v.Z()); }

bool HasFaces(const TopoDS_Shape& shape) { return !shape.IsNull() && TopExp_Explorer(shape, TopAbs_FACE).More(); }

// Each node's normal is the area-weighted mean of its triangles' normals, so
// a face shades smoothly and an edge between faces stays sharp.
void AddFace(const TopoDS_Face& face, const gp_Trsf& placement, MeshData& mesh) {
  TopLoc_Location location;
  const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
  if (triangulation.IsNull()) return;
  const gp_Trsf toModel = placement.Multiplied(location.Transformation());
  const int first = static_cast<int>(mesh.positions.size());
  for (int node = 1; node <= triangulation->NbNodes(); ++node) {
    mesh.positions.push_back(triangulation->Node(node).Transformed(toModel));
    mesh.normals.emplace_back(0, 0, 0);
  }
  const bool reversed = face.Orientation() == TopAbs_REVERSED;
  for (int i = 1; i <= triangulation->NbTriangles(); ++i) {
    int a = 0, b = 0, c = 0;
    triangulation->Triangle(i).Get(a, b, c);
    if (reversed) std::swap(b, c);
    const std::array<int, 3> corners{first + a - 1, first + b - 1, first + c - 1};
    const gp_Pnt& p = mesh.positions[static_cast<std::size_t>(corners[0])];
    const gp_Vec normal = gp_Vec(p, mesh.positions[static_cast<std::size_t>(corners[1])])
                              .Crossed(gp_Vec(p, mesh.positions[static_cast<std::size_t>(corners[2])]));
    for (const int corner : corners) mesh.normals[static_cast<std::size_t>(corner)] += normal;
    mesh.triangles.push_back(corners);
  }
}

Status MeshPart(const TopoDS_Shape& shape, const gp_Trsf& placement, const MeshResolution& resolution,
                MeshData& mesh) {
  BRepTools::Clean(shape);
  const bool relative = false;
  const bool parallel = false;
  BRepMesh_IncrementalMesh mesher(shape, resolution.linearDeflection, relative, resolution.angularDeflection, parallel);
  if (!mesher.IsDone()) return Failure{kGeometryFailed, "the shape cannot be meshed"};
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    AddFace(TopoDS::Face(explorer.Current()), placement, mesh);
  }
  BRepTools::Clean(shape);
  for (gp_Vec& normal : mesh.normals) {
    // A node of degenerate triangles only has no direction of its own.
    if (normal.Magnitude() <= gp::Resolution()) normal = gp_Vec(0, 0, 1);
    normal.Normalize();
  }
  if (mesh.triangles.empty()) return Failure{kGeometryFailed, "the shape gives no triangles"};
  return {};
}

void AppendCorner(std::string& xml, const char* tag, int index) {
  const std::string id = std::to_string(index);
  xml += std::string("<") + tag + "><PREF>" + id + "</PREF><NREF>" + id + "</NREF></" + tag + ">";
}

void AppendMesh(std::string& xml, int id, const MeshData& mesh) {
  xml += "<MESH ID=\"" + std::to_string(id) + "\">\n";
  for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
    xml += "<P ID=\"" + std::to_string(i) + "\">" + Triple(mesh.positions[i].XYZ()) + "</P>\n";
  }
  for (std::size_t i = 0; i < mesh.normals.size(); ++i) {
    xml += "<N ID=\"" + std::to_string(i) + "\">" + Triple(mesh.normals[i].XYZ()) + "</N>\n";
  }
  for (const std::array<int, 3>& triangle : mesh.triangles) {
    xml += "<F><MATREF>0</MATREF>";
    AppendCorner(xml, "FV1", triangle[0]);
    AppendCorner(xml, "FV2", triangle[1]);
    AppendCorner(xml, "FV3", triangle[2]);
    xml += "</F>\n";
  }
  xml += "</MESH>\n";
}

// FORWARD and UP are where the placement turns the part's +Z and +Y axes.
void AppendObject(std::string& xml, int meshId, const gp_Trsf* placement) {
  xml += "<OBJECT>";
  if (placement != nullptr) {
    const gp_Mat rotation = placement->VectorialPart();
    xml += "<TRANSFORM><FORWARD>" + Triple(rotation.Column(3)) + "</FORWARD><UP>" + Triple(rotation.Column(2)) +
           "</UP><POSITION>" + Triple(placement->TranslationPart()) + "</POSITION><SCALE>" +
           Number(placement->ScaleFactor()) + "</SCALE></TRANSFORM>";
  }
  xml += "<MESHREF>" + std::to_string(meshId) + "</MESHREF></OBJECT>\n";
}

Status CheckParts(const std::vector<XglPart>& parts, const MeshResolution& resolution) {
  if (parts.empty()) return Failure{kInvalidModel, "a model without parts has no mesh"};
  for (const XglPart& part : parts) {
    if (!HasFaces(part.shape)) return Failure{kInvalidModel, "a part without faces has no mesh"};
    if (part.placements.empty()) return Failure{kInvalidModel, "a part the model does not show has no mesh"};
  }
  if (!(resolution.linearDeflection > 0) || !(resolution.angularDeflection > 0)) {
    return Failure{kInvalidModel, "mesh deflections must be above zero"};
  }
  return {};
}

Status WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Failure{EIO, "cannot write " + path.string()};
  return {};
}

}  // namespace

Result<XglDocument> MakeXglDocument(const std::vector<XglPart>& parts, const MeshResolution& resolution) {
  if (Status checked = CheckParts(parts, resolution); !checked) return checked.failure();
  XglDocument document;
  document.xml = kWorldHeader;
  std::string objects;
  for (std::size_t id = 0; id < parts.size(); ++id) {
    const XglPart& part = parts[id];
    const bool instanced = part.placements.size() > 1;
    MeshData mesh;
    Status meshed = Guarded("meshing for XGL", [&] {
      return MeshPart(part.shape, instanced ? gp_Trsf() : part.placements.front(), resolution, mesh);
    });
    if (!meshed) return meshed.failure();
    AppendMesh(document.xml, static_cast<int>(id), mesh);
    for (const gp_Trsf& placement : part.placements) {
      AppendObject(objects, static_cast<int>(id), instanced ? &placement : nullptr);
    }
    document.counts.meshes += 1;
    document.counts.positions += static_cast<int>(mesh.positions.size());
    document.counts.faces += static_cast<int>(mesh.triangles.size());
    document.counts.objects += static_cast<int>(part.placements.size());
  }
  document.xml += objects + "</WORLD>\n";
  return document;
}

Result<std::string> ZglBytes(const std::string& xml) {
  uLongf size = compressBound(static_cast<uLong>(xml.size()));
  std::string bytes(size, '\0');
  const int status = compress2(reinterpret_cast<Bytef*>(bytes.data()), &size,
                               reinterpret_cast<const Bytef*>(xml.data()), static_cast<uLong>(xml.size()),
                               Z_BEST_COMPRESSION);
  if (status != Z_OK) return Failure{ENOMEM, "zlib cannot compress the document (" + std::to_string(status) + ")"};
  bytes.resize(size);
  return bytes;
}

Result<XglCounts> WriteXgl(const std::vector<XglPart>& parts, const std::filesystem::path& path,
                           const MeshResolution& resolution, bool compressed) {
  auto document = MakeXglDocument(parts, resolution);
  if (!document) return document.failure();
  std::string bytes = std::move(document.value().xml);
  if (compressed) {
    auto packed = ZglBytes(bytes);
    if (!packed) return packed.failure();
    bytes = std::move(packed).value();
  }
  Status written = WriteThroughSibling(path, [&](const std::filesystem::path& temporary) {
    return WriteBytes(temporary, bytes);
  });
  if (!written) return written.failure();
  return document.value().counts;
}

}  // namespace korrin::standin
