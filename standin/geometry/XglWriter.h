#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include <filesystem>
#include <string>
#include <vector>

#include "geometry/StlWriter.h"
#include "ports/Result.h"

namespace korrin::standin {

// One part of a model and every place the model shows it.
struct XglPart {
  TopoDS_Shape shape;               // in the part's own coordinates
  std::vector<gp_Trsf> placements;  // one per occurrence, into the model's coordinates
};

// What a written XGL document holds: a mesh per part, an object per
// occurrence; positions and faces summed over the meshes, each mesh once.
struct XglCounts {
  int meshes = 0;
  int positions = 0;
  int faces = 0;
  int objects = 0;

  bool operator==(const XglCounts&) const = default;
};

struct XglDocument {
  std::string xml;
  XglCounts counts;
};

// The parts meshed at the resolution as an XGL document (the XML 3-D
// format): one lit world, one material, a MESH of positions, normals and
// triangles per part and an OBJECT per occurrence. A part shown once has its
// placement applied to its positions; a part shown more often is one mesh in
// its own coordinates, placed by each object's TRANSFORM. Meshes the shapes
// carried before are dropped, and so are the new ones afterwards. Parts
// without faces or placements give a failure (kInvalidModel).
Result<XglDocument> MakeXglDocument(const std::vector<XglPart>& parts, const MeshResolution& resolution);

// The document zlib-compressed, as ZGL files hold it.
Result<std::string> ZglBytes(const std::string& xml);

// Writes the parts as an XGL file, or as a ZGL file when compressed. The file
// appears whole or not at all.
Result<XglCounts> WriteXgl(const std::vector<XglPart>& parts, const std::filesystem::path& path,
                           const MeshResolution& resolution, bool compressed);

}  // namespace korrin::standin
