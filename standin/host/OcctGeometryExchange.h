#pragma once

#include "GeometryExchange.h"
#include "geometry/ProductNode.h"

namespace korrin::standin {

// The stand-in's geometry translators on Open CASCADE: models become product
// structures of real shapes, written and read by the geometry library.
class OcctGeometryExchange final : public GeometryExchange {
 public:
  OcctGeometryExchange();

  Status WriteStep(const ModelNode& model, const StepSettings& settings, const std::string& path) override;
  Status WriteIges(const ModelNode& model, const IgesSettings& settings, const std::string& path) override;
  Status WriteStl(const ModelNode& model, const StlFineness& fineness, const std::string& path) override;
  Status WriteXgl(const ModelNode& model, const StlFineness& fineness, const std::string& path,
                  bool compressed) override;
  Result<ImportResult> ReadStep(const std::string& path, const ImportRepair& repair) override;
  Result<ImportResult> ReadIges(const std::string& path, const ImportRepair& repair) override;
  Result<ImportResult> ReadStl(const std::string& path) override;
  Result<ProjectedView> Project(const ModelNode& model, ViewDirection direction, bool withFacets) override;
};

// A product structure of shapes as the host's model: parts carry their shape
// as B-rep text, components their placement.
ModelNode ModelOfProduct(const ProductNode& product);

}  // namespace korrin::standin
