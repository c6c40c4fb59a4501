#include "geometry/HiddenLineProjection.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GCPnts_TangentialDeflection.hxx>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_Algo.hxx>
#include <HLRBRep_HLRToShape.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <gp_Ax2.hxx>

#include <algorithm>
#include <cmath>

#include "geometry/OcctGuard.h"

namespace korrin::standin {
namespace {

// How finely curves and facets follow the shape, against its diagonal:
// fine enough that no corner shows on a printed arc.
constexpr double kCurveDeflectionPerDiagonal = 1.0 / 2000;
constexpr double kMeshDeflectionPerDiagonal = 1.0 / 300;
constexpr double kCurveAngularDeflection = 0.05;
constexpr double kMeshAngularDeflection = 0.3;
constexpr double kSmallestDeflection = 1e-3;

// The view plane: x to the right, y up, and the direction towards the
// viewer.
struct ViewAxes {
  gp_Dir toViewer;
  gp_Dir right;
  gp_Dir up() const { return toViewer.Crossed(right); }
};

ViewAxes AxesOf(ViewDirection direction) {
  switch (direction) {
    case ViewDirection::Front: return {gp_Dir(0, 0, 1), gp_Dir(1, 0, 0)};
    case ViewDirection::Top: return {gp_Dir(0, 1, 0), gp_Dir(1, 0, 0)};
    case ViewDirection::Right: return {gp_Dir(1, 0, 0), gp_Dir(0, 0, -1)};
    case ViewDirection::Isometric: return {gp_Dir(1, 1, 1), gp_Dir(1, 0, -1)};
  }
  return {gp_Dir(0, 0, 1), gp_Dir(1, 0, 0)};
}

double DiagonalOf(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::Add(shape, box);
  if (box.IsVoid()) return 0;
  return std::sqrt(box.SquareExtent());
}

// The pieces of every edge of an HLR result compound; the compound lies in
// the view plane, so each point's x and y are the view's.
void AddPolylines(const TopoDS_Shape& edges, double deflection, std::vector<ViewPolyline>& into) {
  if (edges.IsNull()) return;
  for (TopExp_Explorer explorer(edges, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(explorer.Current());
    if (BRep_Tool::Degenerated(edge)) continue;
    const BRepAdaptor_Curve curve(edge);
    const GCPnts_TangentialDeflection points(curve, kCurveAngularDeflection, deflection);
    if (points.NbPoints() < 2) continue;
    ViewPolyline polyline;
    for (int i = 1; i <= points.NbPoints(); ++i) polyline.push_back({points.Value(i).X(), points.Value(i).Y()});
    into.push_back(std::move(polyline));
  }
}

void AddEdges(const TopoDS_Shape& shape, const ViewAxes& axes, double deflection, ProjectedView& view) {
  Handle(HLRBRep_Algo) algorithm = new HLRBRep_Algo();
  algorithm->Add(shape);
  algorithm->Projector(HLRAlgo_Projector(gp_Ax2(gp_Pnt(0, 0, 0), axes.toViewer, axes.right)));
  algorithm->Update();
  algorithm->Hide();
  HLRBRep_HLRToShape result(algorithm);
  for (const TopoDS_Shape& visible : {result.VCompound(), result.Rg1LineVCompound(), result.OutLineVCompound()}) {
    AddPolylines(visible, deflection, view.visibleEdges);
  }
  for (const TopoDS_Shape& hidden : {result.HCompound(), result.Rg1LineHCompound(), result.OutLineHCompound()}) {
    AddPolylines(hidden, deflection, view.hiddenEdges);
  }
}

// A light from over the viewer's left shoulder, as shaded views are lit.
gp_Dir LightOf(const ViewAxes& axes) {
  return gp_Dir(gp_Vec(axes.toViewer) * 1.0 + gp_Vec(axes.up()) * 0.5 - gp_Vec(axes.right) * 0.3);
}

// The facets of one face. Facets of a solid that face away are behind its
// front and left out; a loose face is seen from both sides.
void AddFaceFacets(const TopoDS_Face& face, bool ofSolid, const ViewAxes& axes, ProjectedView& view) {
  TopLoc_Location location;
  const Handle(Poly_Triangulation) mesh = BRep_Tool::Triangulation(face, location);
  if (mesh.IsNull()) return;
  const gp_Trsf placement = location.Transformation();
  const bool reversed = face.Orientation() == TopAbs_REVERSED;
  const gp_Dir light = LightOf(axes);
  const gp_Dir up = axes.up();
  for (int i = 1; i <= mesh->NbTriangles(); ++i) {
    int first = 0, second = 0, third = 0;
    mesh->Triangle(i).Get(first, second, third);
    if (reversed) std::swap(second, third);
    const gp_Pnt corners[3] = {mesh->Node(first).Transformed(placement), mesh->Node(second).Transformed(placement),
                               mesh->Node(third).Transformed(placement)};
    gp_Vec normal = gp_Vec(corners[0], corners[1]).Crossed(gp_Vec(corners[0], corners[2]));
    if (normal.Magnitude() <= gp::Resolution()) continue;
    normal.Normalize();
    const double towardsViewer = normal.Dot(gp_Vec(axes.toViewer));
    if (ofSolid && towardsViewer <= 0) continue;
    if (towardsViewer < 0) normal.Reverse();
    ViewFacet facet;
    double depth = 0;
    for (int corner = 0; corner < 3; ++corner) {
      const gp_Vec point(corners[corner].XYZ());
      facet.corners[static_cast<std::size_t>(corner)] = {point.Dot(gp_Vec(axes.right)), point.Dot(gp_Vec(up))};
      depth += point.Dot(gp_Vec(axes.toViewer)) / 3;
    }
    facet.depth = depth;
    facet.brightness = std::max(0.0, normal.Dot(gp_Vec(light)));
    view.facets.push_back(facet);
  }
}

void AddFacets(const TopoDS_Shape& shape, const ViewAxes& axes, double deflection, ProjectedView& view) {
  BRepTools::Clean(shape);
  const bool relative = false;
  const bool parallel = false;
  BRepMesh_IncrementalMesh mesher(shape, deflection, relative, kMeshAngularDeflection, parallel);
  for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
    for (TopExp_Explorer face(solid.Current(), TopAbs_FACE); face.More(); face.Next()) {
      AddFaceFacets(TopoDS::Face(face.Current()), true, axes, view);
    }
  }
  for (TopExp_Explorer face(shape, TopAbs_FACE, TopAbs_SOLID); face.More(); face.Next()) {
    AddFaceFacets(TopoDS::Face(face.Current()), false, axes, view);
  }
  // Far facets first, so painting in order leaves the near ones on top.
  std::sort(view.facets.begin(), view.facets.end(),
            [](const ViewFacet& a, const ViewFacet& b) { return a.depth < b.depth; });
}

}  // namespace

Result<ProjectedView> ProjectShape(const TopoDS_Shape& shape, ViewDirection direction, bool withFacets) {
  if (shape.IsNull()) return ProjectedView{};
  return Guarded("projecting the view", [&]() -> Result<ProjectedView> {
    const ViewAxes axes = AxesOf(direction);
    const double diagonal = DiagonalOf(shape);
    ProjectedView view;
    AddEdges(shape, axes, std::max(kSmallestDeflection, diagonal * kCurveDeflectionPerDiagonal), view);
    if (withFacets) AddFacets(shape, axes, std::max(kSmallestDeflection, diagonal * kMeshDeflectionPerDiagonal), view);
    return view;
  });
}

}  // namespace korrin::standin
