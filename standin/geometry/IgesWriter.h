#pragma once

#include <TopoDS_Shape.hxx>
#include <filesystem>
#include <string>

#include "ports/Result.h"

namespace korrin::standin {

// What an IGES file holds of the shape.
enum class IgesGeometry {
  Surfaces,   // each face as a surface with its boundary (see IgesSurfaceType)
  Solids,     // a B-rep solid, MSBO 186 with shells 514 and faces 510 (see IgesSolidFaces)
  Wireframe,  // the edges alone: lines 110, arcs 100, splines 126, transforms 124
};

// How faces are written when the geometry is Surfaces.
enum class IgesSurfaceType {
  Bounded,  // 143 bounded surfaces with 141 boundaries
  Trimmed,  // 144 trimmed surfaces with 142 curves on surface
};

// The surfaces of faces when the geometry is Solids.
enum class IgesSolidFaces {
  Nurbs,     // every surface a 128 B-spline surface, every curve a 126
  Analytic,  // planes 190, cylinders 192 and the other analytic kinds kept
};

// The options of an IGES export. Author and organization go into the global
// section, as does the file's name.
struct IgesOptions {
  IgesGeometry geometry = IgesGeometry::Surfaces;
  IgesSurfaceType surfaceType = IgesSurfaceType::Bounded;
  IgesSolidFaces solidFaces = IgesSolidFaces::Analytic;
  std::string author;
  std::string organization;
};

// Writes the shape as an IGES file in millimetres. The file appears whole or
// not at all. Open CASCADE's translation settings are process-wide: call from
// one thread at a time.
Status WriteIges(const TopoDS_Shape& shape, const std::filesystem::path& path, const IgesOptions& options);

}  // namespace korrin::standin
