#include "geometry/PartFeatures.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepFilletAPI_MakeChamfer.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <BRepGProp.hxx>
#include <BRepOffsetAPI_MakeThickSolid.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <GProp_GProps.hxx>
#include <Precision.hxx>
#include <Standard_ConstructionError.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>

#include "geometry/GeometryFailure.h"
#include "geometry/OcctGuard.h"

namespace korrin::standin {
namespace {

constexpr double kFullTurn = 2 * M_PI;

TopTools_ListOfShape ListOf(const std::vector<TopoDS_Shape>& shapes) {
  TopTools_ListOfShape list;
  for (const TopoDS_Shape& shape : shapes) list.Append(shape);
  return list;
}

// Runs a boolean operation on the base and tools and returns its result.
template <typename Operation>
TopoDS_Shape Boolean(const char* name, const TopoDS_Shape& base, const std::vector<TopoDS_Shape>& tools) {
  Operation operation;
  operation.SetArguments(ListOf({base}));
  operation.SetTools(ListOf(tools));
  operation.Build();
  if (!operation.IsDone() || operation.HasErrors()) throw Standard_ConstructionError(name);
  return operation.Shape();
}

TopoDS_Shape PolygonFace(const std::vector<gp_Pnt>& points) {
  BRepBuilderAPI_MakePolygon polygon;
  for (const gp_Pnt& point : points) polygon.Add(point);
  polygon.Close();
  BRepBuilderAPI_MakeFace face(polygon.Wire(), /*OnlyPlane=*/true);
  if (!face.IsDone()) throw Standard_ConstructionError("a polygon that is not flat and closed");
  return face.Face();
}

bool HasOneSolid(const TopoDS_Shape& shape) {
  int solids = 0;
  for (TopExp_Explorer explorer(shape, TopAbs_SOLID); explorer.More(); explorer.Next()) ++solids;
  return solids == 1;
}

double CentreHeight(const TopoDS_Face& face) {
  GProp_GProps properties;
  BRepGProp::SurfaceProperties(face, properties);
  return properties.CentreOfMass().Z();
}

// The face whose centre lies highest: the top of a box.
TopoDS_Face TopFace(const TopoDS_Shape& shape) {
  TopoDS_Face top;
  double highest = -Precision::Infinite();
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    const double height = CentreHeight(face);
    if (height > highest) {
      highest = height;
      top = face;
    }
  }
  return top;
}

}  // namespace

TopoDS_Shape Block(const gp_Pnt& corner, double lengthX, double widthY, double heightZ) {
  return BRepPrimAPI_MakeBox(corner, lengthX, widthY, heightZ).Shape();
}

TopoDS_Shape Cylinder(const gp_Ax2& axis, double radius, double height) {
  return BRepPrimAPI_MakeCylinder(axis, radius, height).Shape();
}

TopoDS_Shape UprightCylinder(double x, double y, double z, double radius, double height) {
  return Cylinder(gp_Ax2(gp_Pnt(x, y, z), gp::DZ()), radius, height);
}

TopoDS_Shape HoleAlongZ(double x, double y, double diameter, double depth) {
  return UprightCylinder(x, y, -kToolOverrun, diameter / 2, depth + 2 * kToolOverrun);
}

TopoDS_Shape ExtrudedPolygon(const std::vector<gp_Pnt2d>& outline, double height) {
  std::vector<gp_Pnt> points;
  for (const gp_Pnt2d& point : outline) points.emplace_back(point.X(), point.Y(), 0);
  return BRepPrimAPI_MakePrism(PolygonFace(points), gp_Vec(0, 0, height)).Shape();
}

TopoDS_Shape Revolved(const std::vector<gp_Pnt2d>& radiusAndHeight) {
  std::vector<gp_Pnt> points;
  for (const gp_Pnt2d& point : radiusAndHeight) points.emplace_back(point.X(), 0, point.Y());
  return BRepPrimAPI_MakeRevol(PolygonFace(points), gp::OZ(), kFullTurn).Shape();
}

TopoDS_Shape Fused(const TopoDS_Shape& base, const std::vector<TopoDS_Shape>& added) {
  return Boolean<BRepAlgoAPI_Fuse>("fusing solids", base, added);
}

TopoDS_Shape CutAway(const TopoDS_Shape& base, const std::vector<TopoDS_Shape>& removed) {
  return Boolean<BRepAlgoAPI_Cut>("cutting solids", base, removed);
}

TopoDS_Shape Common(const TopoDS_Shape& first, const TopoDS_Shape& second) {
  return Boolean<BRepAlgoAPI_Common>("intersecting solids", first, {second});
}

TopoDS_Shape FilletEdges(const TopoDS_Shape& shape, const EdgeTest& test, double radius) {
  BRepFilletAPI_MakeFillet fillet(shape);
  for (TopExp_Explorer explorer(shape, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(explorer.Current());
    if (test(edge)) fillet.Add(radius, edge);
  }
  if (fillet.NbContours() == 0) throw Standard_ConstructionError("no edge to round");
  return fillet.Shape();
}

TopoDS_Shape ChamferEdges(const TopoDS_Shape& shape, const EdgeTest& test, double distance) {
  BRepFilletAPI_MakeChamfer chamfer(shape);
  for (TopExp_Explorer explorer(shape, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(explorer.Current());
    if (test(edge)) chamfer.Add(distance, edge);
  }
  if (chamfer.NbContours() == 0) throw Standard_ConstructionError("no edge to bevel");
  return chamfer.Shape();
}

gp_Pnt EdgeMidpoint(const TopoDS_Edge& edge) {
  const BRepAdaptor_Curve curve(edge);
  return curve.Value((curve.FirstParameter() + curve.LastParameter()) / 2);
}

bool IsStraightAlongZ(const TopoDS_Edge& edge) {
  const BRepAdaptor_Curve curve(edge);
  return curve.GetType() == GeomAbs_Line && curve.Line().Direction().IsParallel(gp::DZ(), Precision::Angular());
}

bool IsCircle(const TopoDS_Edge& edge) { return BRepAdaptor_Curve(edge).GetType() == GeomAbs_Circle; }

TopoDS_Shape OpenTopShell(const TopoDS_Shape& box, double thickness) {
  TopTools_ListOfShape removedFaces;
  removedFaces.Append(TopFace(box));
  BRepOffsetAPI_MakeThickSolid shell;
  // Intersection joins keep the inner corners sharp, as a machined pocket's.
  shell.MakeThickSolidByJoin(box, removedFaces, -thickness, Precision::Confusion(), BRepOffset_Skin,
                             /*Intersection=*/false, /*SelfInter=*/false, GeomAbs_Intersection);
  if (!shell.IsDone()) throw Standard_ConstructionError("hollowing a box");
  return shell.Shape();
}

Status RequirePositive(std::string_view part, NamedSizes sizes) {
  for (const auto& [name, value] : sizes) {
    if (!(value > 0)) return SizeFailure(part, std::string(name) + " must be above zero");
  }
  return {};
}

Failure SizeFailure(std::string_view part, std::string_view reason) {
  return {kGeometryFailed, "cannot build the " + std::string(part) + ": " + std::string(reason)};
}

Result<TopoDS_Shape> BuildPart(std::string_view part, const std::function<TopoDS_Shape()>& build) {
  return Guarded("building the " + std::string(part), [&]() -> Result<TopoDS_Shape> {
    TopoDS_Shape shape = build();
    if (!HasOneSolid(shape) || !BRepCheck_Analyzer(shape).IsValid()) {
      return SizeFailure(part, "its sizes leave no single valid solid");
    }
    return shape;
  });
}

}  // namespace korrin::standin
