#include "geometry/StlWriter.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <StlAPI_Writer.hxx>
#include <TopExp_Explorer.hxx>
#include <cerrno>

#include "geometry/GeometryFailure.h"
#include "geometry/OcctGuard.h"
#include "geometry/SiblingFile.h"

namespace korrin::standin {
namespace {

bool HasFaces(const TopoDS_Shape& shape) { return TopExp_Explorer(shape, TopAbs_FACE).More(); }

// Drops any mesh already on the shape first: BRepMesh keeps a finer one, and
// the file must show this resolution.
Status Mesh(const TopoDS_Shape& shape, const MeshResolution& resolution) {
  BRepTools::Clean(shape);
  const bool relative = false;
  const bool parallel = false;
  BRepMesh_IncrementalMesh mesher(shape, resolution.linearDeflection, relative, resolution.angularDeflection, parallel);
  if (!mesher.IsDone()) return Failure{kGeometryFailed, "the shape cannot be meshed"};
  return {};
}

Status WriteMesh(const TopoDS_Shape& shape, const std::filesystem::path& temporary, StlEncoding encoding) {
  StlAPI_Writer writer;
  writer.ASCIIMode() = encoding == StlEncoding::Ascii;
  if (!writer.Write(shape, temporary.c_str())) return Failure{EIO, "the STL writer failed"};
  return {};
}

}  // namespace

MeshResolution StlResolutions::For(StlResolution resolution) const {
  switch (resolution) {
    case StlResolution::Coarse:
      return coarse;
    case StlResolution::Medium:
      return medium;
    case StlResolution::Fine:
      return fine;
  }
  return medium;
}

Status WriteStl(const TopoDS_Shape& shape, const std::filesystem::path& path, const StlOptions& options) {
  if (shape.IsNull() || !HasFaces(shape)) {
    return Failure{kGeometryFailed, "a shape without faces has no mesh to write to " + path.string()};
  }
  if (!(options.resolution.linearDeflection > 0) || !(options.resolution.angularDeflection > 0)) {
    return Failure{kInvalidModel, "mesh deflections must be above zero"};
  }
  return WriteThroughSibling(path, [&](const std::filesystem::path& temporary) {
    return Guarded("writing STL", [&]() -> Status {
      Status status = Mesh(shape, options.resolution);
      if (status) status = WriteMesh(shape, temporary, options.encoding);
      BRepTools::Clean(shape);
      return status;
    });
  });
}

}  // namespace korrin::standin
