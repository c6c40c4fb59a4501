#pragma once

#include <TopoDS_Shape.hxx>
#include <filesystem>
#include <vector>

#include "geometry/ProductNode.h"
#include "geometry/RepairOptions.h"
#include "ports/Result.h"

namespace korrin::standin {

// What an import reads from a foreign file.
struct ImportedModel {
  // Everything in the file, placements applied.
  TopoDS_Shape shape;
  // STEP only: the file's top products with their names and, for an
  // assembly, its structure (children with their placements).
  std::vector<ProductNode> products;
};

// Each reader fails with a description that names the file and what is wrong:
// missing or unreadable (the system's errno), empty (kModelFileEmpty), not a
// file of its kind (kModelFileWrongKind), cut short or holding no geometry
// (kModelFileBroken). A broken file never crashes the reader. Open
// CASCADE's translation settings are process-wide: call from one thread at a
// time.
//
// STEP and IGES files are translated within the precision they declare and
// then repaired as asked (ImportRepairs.h): with repair off a file's faults
// stay in the shapes, and Open CASCADE's own fixing closes no gap wider than
// the file allows. A repair Open CASCADE aborts fails with kGeometryFailed.

// A STEP file (AP203, AP214 or AP242).
Result<ImportedModel> ReadStep(const std::filesystem::path& path, const RepairOptions& repair);

// An IGES file. Surfaces come back as faces, solids as solids.
Result<ImportedModel> ReadIges(const std::filesystem::path& path, const RepairOptions& repair);

// An STL file, ASCII or binary: one planar face per triangle, sharing edges
// with its neighbours; a closed mesh comes back as a solid, an open one as a
// shell. Degenerate triangles are left out.
Result<ImportedModel> ReadStl(const std::filesystem::path& path);

}  // namespace korrin::standin
