#include "geometry/ImportRepairs.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_Sewing.hxx>
#include <BRepGProp.hxx>
#include <BRepLib.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <Precision.hxx>
#include <ShapeFix_Shape.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Iterator.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <algorithm>
#include <cmath>

#include "geometry/OcctGuard.h"
#include "geometry/OneShape.h"

namespace korrin::standin {
namespace {

constexpr double kWidestGapPerDiagonal = 1e-3;

TopoDS_Shape Healed(const TopoDS_Shape& shape, const RepairTolerances& tolerances) {
  Handle(ShapeFix_Shape) fix = new ShapeFix_Shape(shape);
  fix->SetPrecision(tolerances.precision);
  fix->SetMaxTolerance(tolerances.widestGap);
  fix->Perform();
  return fix->Shape();
}

// A shape taken apart for stitching: its solids stay whole, the faces
// outside them are sewn, and anything else (wires, edges, points) is kept.
struct ShapeContents {
  std::vector<TopoDS_Shape> solids;
  std::vector<TopoDS_Shape> faces;
  std::vector<TopoDS_Shape> others;
};

void Sort(const TopoDS_Shape& shape, ShapeContents& contents) {
  switch (shape.ShapeType()) {
    case TopAbs_COMPOUND:
    case TopAbs_COMPSOLID:
      for (TopoDS_Iterator child(shape); child.More(); child.Next()) Sort(child.Value(), contents);
      return;
    case TopAbs_SOLID:
      contents.solids.push_back(shape);
      return;
    case TopAbs_SHELL:
      for (TopExp_Explorer face(shape, TopAbs_FACE); face.More(); face.Next()) contents.faces.push_back(face.Current());
      return;
    case TopAbs_FACE:
      contents.faces.push_back(shape);
      return;
    default:
      contents.others.push_back(shape);
      return;
  }
}

double Volume(const TopoDS_Shape& solid) {
  GProp_GProps properties;
  BRepGProp::VolumeProperties(solid, properties);
  return properties.Mass();
}

// A closed shell as a solid with its matter inside; the shell itself when
// it cannot be oriented (it touches itself or its faces disagree).
TopoDS_Shape Promoted(const TopoDS_Shell& shell) {
  BRepBuilderAPI_MakeSolid make(shell);
  if (!make.IsDone()) return shell;
  TopoDS_Solid solid = make.Solid();
  if (!BRepLib::OrientClosedSolid(solid)) return shell;
  if (Volume(solid) < 0) solid.Reverse();
  return solid;
}

void CollectSewn(const TopoDS_Shape& sewn, std::vector<TopoDS_Shape>& parts) {
  if (sewn.ShapeType() == TopAbs_COMPOUND) {
    for (TopoDS_Iterator child(sewn); child.More(); child.Next()) CollectSewn(child.Value(), parts);
    return;
  }
  const bool closedShell = sewn.ShapeType() == TopAbs_SHELL && BRep_Tool::IsClosed(sewn);
  parts.push_back(closedShell ? Promoted(TopoDS::Shell(sewn)) : sewn);
}

TopoDS_Shape Stitched(const TopoDS_Shape& shape, const RepairTolerances& tolerances) {
  ShapeContents contents;
  Sort(shape, contents);
  if (contents.faces.empty()) return shape;
  BRepBuilderAPI_Sewing sewing(tolerances.widestGap);
  for (const TopoDS_Shape& face : contents.faces) sewing.Add(face);
  sewing.Perform();
  std::vector<TopoDS_Shape> parts = contents.solids;
  CollectSewn(sewing.SewedShape(), parts);
  parts.insert(parts.end(), contents.others.begin(), contents.others.end());
  return OneShape(parts);
}

}  // namespace

Result<RepairTolerances> RepairTolerancesFor(const TopoDS_Shape& whole, double declaredPrecision) {
  return Guarded("sizing the repair of a shape", [&]() -> Result<RepairTolerances> {
    Bnd_Box box;
    if (!whole.IsNull()) BRepBndLib::Add(whole, box);
    const double diagonal = box.IsVoid() ? 0 : std::sqrt(box.SquareExtent());
    RepairTolerances tolerances;
    tolerances.precision = std::max(declaredPrecision, Precision::Confusion());
    tolerances.widestGap = std::max(tolerances.precision, diagonal * kWidestGapPerDiagonal);
    return tolerances;
  });
}

Result<TopoDS_Shape> RepairShape(const TopoDS_Shape& shape, const RepairOptions& options,
                                 const RepairTolerances& tolerances) {
  if (shape.IsNull()) return shape;
  TopoDS_Shape repaired = shape;
  if (options.healing) {
    auto healed = Guarded("healing a shape", [&]() -> Result<TopoDS_Shape> { return Healed(repaired, tolerances); });
    if (!healed) return healed;
    repaired = healed.value();
  }
  if (options.stitching) {
    auto stitched =
        Guarded("stitching a shape", [&]() -> Result<TopoDS_Shape> { return Stitched(repaired, tolerances); });
    if (!stitched) return stitched;
    repaired = stitched.value();
  }
  return repaired;
}

namespace {

Status RepairParts(std::vector<ProductNode>& products, const RepairOptions& options,
                   const RepairTolerances& tolerances) {
  for (ProductNode& product : products) {
    if (product.IsAssembly()) {
      if (Status repaired = RepairParts(product.children, options, tolerances); !repaired) return repaired;
      continue;
    }
    Result<TopoDS_Shape> repaired = RepairShape(product.shape, options, tolerances);
    if (!repaired) {
      return Failure{repaired.failure().number, "the part \"" + product.name + "\": " + repaired.failure().description};
    }
    product.shape = repaired.value();
  }
  return {};
}

}  // namespace

Status RepairImportedModel(ImportedModel& model, const RepairOptions& options, double declaredPrecision) {
  if (!options.healing && !options.stitching) return {};
  const Result<RepairTolerances> tolerances = RepairTolerancesFor(model.shape, declaredPrecision);
  if (!tolerances) return tolerances.failure();
  if (model.products.empty()) {
    Result<TopoDS_Shape> repaired = RepairShape(model.shape, options, tolerances.value());
    if (!repaired) return repaired.failure();
    model.shape = repaired.value();
    return {};
  }
  if (Status repaired = RepairParts(model.products, options, tolerances.value()); !repaired) return repaired;
  model.shape = PlacedPartsShape(model.products);
  return {};
}

}  // namespace korrin::standin
