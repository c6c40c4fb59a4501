#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/StandinDocument.h"
#include "geometry/ProjectedView.h"
#include "ports/Result.h"

namespace korrin::standin {

// A model as the translators see it: a part with its shape, or an assembly
// whose components are placed models of their own.
struct ModelNode {
  std::string name;      // the document's file name without its extension
  std::string geometry;  // parts: BRep text; empty for assemblies and parts without a shape
  std::optional<StandinPlacement> placement;  // where the parent assembly puts it
  std::vector<ModelNode> components;

  bool isAssembly() const { return !components.empty(); }
};

struct StepSettings {
  enum class Protocol { ConfigurationControlledDesign, AutomotiveDesign };
  Protocol protocol = Protocol::ConfigurationControlledDesign;
  std::string author;
  std::string organization;
  std::string authorization;
  std::string description;
};

struct IgesSettings {
  enum class Geometry { Surfaces, Solids, Wireframe };
  enum class SurfaceType { Bounded, Trimmed };
  enum class SolidFaces { Nurbs, Analytic };
  Geometry geometry = Geometry::Surfaces;
  SurfaceType surfaceType = SurfaceType::Bounded;
  SolidFaces solidFaces = SolidFaces::Analytic;
};

// How finely a mesh follows the surfaces, as the host's resolution number:
// the model's diagonal divided by it is the largest distance allowed between
// mesh and surface, so a higher number gives more facets.
struct StlFineness {
  std::int32_t perDiagonal = 2000;
};

// How the host repairs the geometry of an IGES or STEP file it imports, as
// it read the switches from its registry at start.
struct ImportRepair {
  bool healing = false;    // fix gaps, tolerances and face orientation
  bool stitching = false;  // sew faces together and make closed shells solids

  bool operator==(const ImportRepair&) const = default;
};

// What an imported file gave: one part, or an assembly of named parts.
struct ImportResult {
  ModelNode root;
};

// The stand-in's door to real geometry: its translators write and read
// STEP, IGES and STL through it, and write XGL and ZGL meshes.
class GeometryExchange {
 public:
  virtual ~GeometryExchange() = default;

  virtual Status WriteStep(const ModelNode& model, const StepSettings& settings, const std::string& path) = 0;
  virtual Status WriteIges(const ModelNode& model, const IgesSettings& settings, const std::string& path) = 0;
  virtual Status WriteStl(const ModelNode& model, const StlFineness& resolution, const std::string& path) = 0;
  // The model's parts as meshes in an XGL file, or a ZGL file when
  // compressed; a part used several times is one mesh shown at each place.
  virtual Status WriteXgl(const ModelNode& model, const StlFineness& fineness, const std::string& path,
                          bool compressed) = 0;
  // A file of several solids and no assembly of its own comes back as an
  // assembly of one part per solid, named after the file ("washers_1" ...).
  virtual Result<ImportResult> ReadStep(const std::string& path, const ImportRepair& repair) = 0;
  virtual Result<ImportResult> ReadIges(const std::string& path, const ImportRepair& repair) = 0;
  virtual Result<ImportResult> ReadStl(const std::string& path) = 0;
  // The model seen from the direction with its hidden lines found, and its
  // facets when asked (for shaded pictures), in millimetres of the view
  // plane. Parts without geometry add nothing: a model with no shape at
  // all gives an empty view.
  virtual Result<ProjectedView> Project(const ModelNode& model, ViewDirection direction, bool withFacets) = 0;
};

}  // namespace korrin::standin
