#pragma once

#include <TopoDS_Shape.hxx>
#include <filesystem>

#include "ports/Result.h"

namespace korrin::standin {

// How finely a shape is meshed: the largest distance between the mesh and the
// surface, in millimetres, and the largest angle between neighbouring
// triangles' normals, in radians. Smaller values give more triangles.
struct MeshResolution {
  double linearDeflection = 0.1;
  double angularDeflection = 0.5;
};

// The host's three named resolutions.
enum class StlResolution { Coarse, Medium, Fine };

// The values of the three named resolutions, as the host read them from its
// registry.
struct StlResolutions {
  MeshResolution coarse;
  MeshResolution medium;
  MeshResolution fine;

  MeshResolution For(StlResolution resolution) const;
};

enum class StlEncoding { Binary, Ascii };

struct StlOptions {
  MeshResolution resolution;
  StlEncoding encoding = StlEncoding::Binary;
};

// Meshes the shape at the resolution and writes the triangles as an STL file
// (binary by default: 50 bytes a triangle). Any mesh the shape carried before
// is dropped first, so a coarser export after a finer one is coarser, and the
// new mesh is dropped afterwards. The file appears whole or not at all. A
// shape without faces gives a failure (kGeometryFailed).
Status WriteStl(const TopoDS_Shape& shape, const std::filesystem::path& path, const StlOptions& options);

}  // namespace korrin::standin
