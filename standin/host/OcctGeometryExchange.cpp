#include "OcctGeometryExchange.h"

#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Ax1.hxx>
#include <gp_Quaternion.hxx>
#include <gp_Trsf.hxx>

#include <cmath>
#include <map>
#include <numbers>

#include "geometry/GeometryFailure.h"
#include "geometry/HiddenLineProjection.h"
#include "geometry/IgesWriter.h"
#include "geometry/OcctGuard.h"
#include "geometry/ModelReaders.h"
#include "geometry/ProductNode.h"
#include "geometry/ShapeMeasures.h"
#include "geometry/ShapeText.h"
#include "geometry/SolidParts.h"
#include "geometry/StepWriter.h"
#include "geometry/StlWriter.h"
#include "geometry/XglWriter.h"

namespace korrin::standin {
namespace {

constexpr const char* kOriginatingSystem = "Korrin stand-in host";
// The angle limit of STL meshes, so the host's resolution number (a linear
// limit) decides how fine a mesh gets.
constexpr double kStlAngularDeflection = 0.2;

gp_Trsf TransformOf(const std::optional<StandinPlacement>& placement) {
  gp_Trsf transform;
  if (!placement) return transform;
  gp_Trsf rotation;
  const StandinVector& axis = placement->rotationAxis;
  if (placement->rotationDegrees != 0) {
    rotation.SetRotation(gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(axis.x, axis.y, axis.z)),
                         placement->rotationDegrees * std::numbers::pi / 180.0);
  }
  gp_Trsf translation;
  const StandinVector& move = placement->translationMillimetres;
  translation.SetTranslation(gp_Vec(move.x, move.y, move.z));
  return translation.Multiplied(rotation);  // turned first, then moved
}

std::optional<StandinPlacement> PlacementOf(const gp_Trsf& transform) {
  if (transform.Form() == gp_Identity) return std::nullopt;
  StandinPlacement placement;
  const gp_XYZ move = transform.TranslationPart();
  placement.translationMillimetres = {move.X(), move.Y(), move.Z()};
  gp_XYZ axis;
  double angle = 0;
  if (transform.GetRotation(axis, angle) && std::abs(angle) > 0 && axis.Modulus() > 0) {
    axis.Normalize();
    placement.rotationAxis = {axis.X(), axis.Y(), axis.Z()};
    placement.rotationDegrees = angle * 180.0 / std::numbers::pi;
  }
  return placement;
}

Result<ProductNode> ProductOf(const ModelNode& model) {
  if (!model.isAssembly()) {
    if (model.geometry.empty()) return Failure{kInvalidModel, "The part \"" + model.name + "\" has no geometry."};
    auto shape = ShapeFromBrepText(model.geometry);
    if (!shape) return Failure{shape.failure().number, "The part \"" + model.name + "\": " + shape.failure().description};
    return PlacedPart(NamedShape{model.name, shape.value()}, TransformOf(model.placement));
  }
  std::vector<ProductNode> children;
  for (const ModelNode& component : model.components) {
    auto child = ProductOf(component);
    if (!child) return child.failure();
    children.push_back(std::move(child).value());
  }
  return Assembly(model.name, std::move(children), TransformOf(model.placement));
}

// Every part of the product in the top product's coordinates, as one shape.
void AddPlaced(const ProductNode& product, const gp_Trsf& parent, BRep_Builder& builder, TopoDS_Compound& all) {
  const gp_Trsf here = parent.Multiplied(product.placement);
  if (!product.IsAssembly()) {
    builder.Add(all, product.shape.Moved(TopLoc_Location(here)));
    return;
  }
  for (const ProductNode& child : product.children) AddPlaced(child, here, builder, all);
}

Result<TopoDS_Shape> ShapeOf(const ModelNode& model) {
  auto product = ProductOf(model);
  if (!product) return product.failure();
  if (!product.value().IsAssembly()) return product.value().shape;
  BRep_Builder builder;
  TopoDS_Compound all;
  builder.MakeCompound(all);
  AddPlaced(product.value(), gp_Trsf(), builder, all);
  return TopoDS_Shape(all);
}

// Every part of the model that has a shape, placed in the model's
// coordinates; parts without one are left out, as a view shows nothing of
// them. Gives how many were added.
Result<int> AddShapes(const ModelNode& model, const gp_Trsf& parent, BRep_Builder& builder, TopoDS_Compound& all) {
  const gp_Trsf here = parent.Multiplied(TransformOf(model.placement));
  if (!model.isAssembly()) {
    if (model.geometry.empty()) return 0;
    auto shape = ShapeFromBrepText(model.geometry);
    if (!shape) {
      return Failure{shape.failure().number, "The part \"" + model.name + "\": " + shape.failure().description};
    }
    builder.Add(all, shape.value().Moved(TopLoc_Location(here)));
    return 1;
  }
  int added = 0;
  for (const ModelNode& component : model.components) {
    auto count = AddShapes(component, here, builder, all);
    if (!count) return count;
    added += count.value();
  }
  return added;
}

// The parts of the model, each once with every place it is shown at in the
// model's coordinates. Components of the same document with the same shape
// are one part, however deep they sit.
struct DistinctParts {
  std::vector<XglPart> parts;
  std::map<std::pair<std::string, std::string>, std::size_t> indexOf;  // (name, B-rep text) -> part
};

Status AddParts(const ModelNode& model, const gp_Trsf& parent, DistinctParts& found) {
  const gp_Trsf here = parent.Multiplied(TransformOf(model.placement));
  if (model.isAssembly()) {
    for (const ModelNode& component : model.components) {
      if (Status added = AddParts(component, here, found); !added) return added;
    }
    return {};
  }
  if (model.geometry.empty()) return Failure{kInvalidModel, "The part \"" + model.name + "\" has no geometry."};
  const auto key = std::pair{model.name, model.geometry};
  if (const auto known = found.indexOf.find(key); known != found.indexOf.end()) {
    found.parts[known->second].placements.push_back(here);
    return {};
  }
  auto shape = ShapeFromBrepText(model.geometry);
  if (!shape) return Failure{shape.failure().number, "The part \"" + model.name + "\": " + shape.failure().description};
  found.indexOf.emplace(key, found.parts.size());
  found.parts.push_back(XglPart{shape.value(), {here}});
  return {};
}

// The mesh limits a resolution number gives a shape: the shape's diagonal
// divided by the number.
Result<MeshResolution> ResolutionFor(const TopoDS_Shape& shape, const StlFineness& fineness) {
  if (fineness.perDiagonal <= 0) return Failure{kInvalidModel, "An STL resolution must be a positive number."};
  auto measures = Measure(shape);
  if (!measures) return measures.failure();
  const BoundingBox& box = measures.value().box;
  const double diagonal =
      std::sqrt(std::pow(box.xMax - box.xMin, 2) + std::pow(box.yMax - box.yMin, 2) + std::pow(box.zMax - box.zMin, 2));
  return MeshResolution{diagonal / fineness.perDiagonal, kStlAngularDeflection};
}

Result<ImportResult> ResultOf(Result<ImportedModel> imported, const std::string& path) {
  if (!imported) return imported.failure();
  const std::string name = std::filesystem::path(path).stem().string();
  const auto& products = imported.value().products;
  if (products.size() == 1 && products.front().IsAssembly()) {
    ModelNode root = ModelOfProduct(products.front());
    root.placement.reset();
    return ImportResult{std::move(root)};
  }
  const std::vector<NamedShape> parts = SolidParts(imported.value().shape, name);
  if (parts.empty()) return ImportResult{ModelNode{name, BrepText(imported.value().shape), std::nullopt, {}}};
  ModelNode root{name, "", std::nullopt, {}};
  for (const NamedShape& part : parts) {
    root.components.push_back(ModelNode{part.name, BrepText(part.shape), std::nullopt, {}});
  }
  return ImportResult{std::move(root)};
}

RepairOptions RepairOf(const ImportRepair& repair) { return RepairOptions{repair.healing, repair.stitching}; }

}  // namespace

ModelNode ModelOfProduct(const ProductNode& product) {
  ModelNode node{product.name, product.IsAssembly() ? "" : BrepText(product.shape), PlacementOf(product.placement), {}};
  for (const ProductNode& child : product.children) node.components.push_back(ModelOfProduct(child));
  return node;
}

OcctGeometryExchange::OcctGeometryExchange() { KeepOcctQuiet(); }

Status OcctGeometryExchange::WriteStep(const ModelNode& model, const StepSettings& settings, const std::string& path) {
  auto product = ProductOf(model);
  if (!product) return product.failure();
  StepOptions options;
  options.protocol = settings.protocol == StepSettings::Protocol::ConfigurationControlledDesign
                         ? StepProtocol::ConfigurationControlledDesign
                         : StepProtocol::AutomotiveDesign;
  options.author = settings.author;
  options.organization = settings.organization;
  options.authorization = settings.authorization;
  options.description = settings.description;
  options.originatingSystem = kOriginatingSystem;
  return standin::WriteStep(product.value(), path, options);
}

Status OcctGeometryExchange::WriteIges(const ModelNode& model, const IgesSettings& settings, const std::string& path) {
  auto shape = ShapeOf(model);
  if (!shape) return shape.failure();
  IgesOptions options;
  options.geometry = settings.geometry == IgesSettings::Geometry::Surfaces ? IgesGeometry::Surfaces
                     : settings.geometry == IgesSettings::Geometry::Solids ? IgesGeometry::Solids
                                                                           : IgesGeometry::Wireframe;
  options.surfaceType = settings.surfaceType == IgesSettings::SurfaceType::Bounded ? IgesSurfaceType::Bounded
                                                                                   : IgesSurfaceType::Trimmed;
  options.solidFaces = settings.solidFaces == IgesSettings::SolidFaces::Nurbs ? IgesSolidFaces::Nurbs
                                                                              : IgesSolidFaces::Analytic;
  return standin::WriteIges(shape.value(), path, options);
}

Status OcctGeometryExchange::WriteStl(const ModelNode& model, const StlFineness& fineness, const std::string& path) {
  auto shape = ShapeOf(model);
  if (!shape) return shape.failure();
  auto resolution = ResolutionFor(shape.value(), fineness);
  if (!resolution) return resolution.failure();
  StlOptions options;
  options.resolution = resolution.value();
  return standin::WriteStl(shape.value(), path, options);
}

Status OcctGeometryExchange::WriteXgl(const ModelNode& model, const StlFineness& fineness, const std::string& path,
                                     bool compressed) {
  DistinctParts found;
  if (Status added = AddParts(model, gp_Trsf(), found); !added) return added;
  // The whole model sets the mesh limits, as it does for STL files.
  BRep_Builder builder;
  TopoDS_Compound all;
  builder.MakeCompound(all);
  for (const XglPart& part : found.parts) {
    for (const gp_Trsf& placement : part.placements) builder.Add(all, part.shape.Moved(TopLoc_Location(placement)));
  }
  auto resolution = ResolutionFor(all, fineness);
  if (!resolution) return resolution.failure();
  auto written = standin::WriteXgl(found.parts, path, resolution.value(), compressed);
  if (!written) return written.failure();
  return {};
}

Result<ImportResult> OcctGeometryExchange::ReadStep(const std::string& path, const ImportRepair& repair) {
  return ResultOf(standin::ReadStep(path, RepairOf(repair)), path);
}

Result<ImportResult> OcctGeometryExchange::ReadIges(const std::string& path, const ImportRepair& repair) {
  return ResultOf(standin::ReadIges(path, RepairOf(repair)), path);
}

Result<ImportResult> OcctGeometryExchange::ReadStl(const std::string& path) {
  return ResultOf(standin::ReadStl(path), path);
}

Result<ProjectedView> OcctGeometryExchange::Project(const ModelNode& model, ViewDirection direction, bool withFacets) {
  BRep_Builder builder;
  TopoDS_Compound all;
  builder.MakeCompound(all);
  auto added = AddShapes(model, gp_Trsf(), builder, all);
  if (!added) return added.failure();
  if (added.value() == 0) return ProjectedView{};
  return ProjectShape(all, direction, withFacets);
}

}  // namespace korrin::standin
