#include "geometry/TriangleShell.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepLib.hxx>
#include <BRep_Builder.hxx>
#include <Precision.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <array>
#include <gp_Pln.hxx>
#include <gp_Vec.hxx>
#include <map>
#include <utility>
#include <vector>

namespace korrin::standin {
namespace {

using NodePair = std::pair<int, int>;

// Each edge is made once and handed to both triangles that share it, so the
// faces are connected without sewing.
class EdgeStore {
 public:
  explicit EdgeStore(std::vector<TopoDS_Vertex> vertices) : vertices_(std::move(vertices)) {}

  // The edge from node to node, oriented that way.
  TopoDS_Edge Between(int from, int to) {
    const NodePair key{std::min(from, to), std::max(from, to)};
    auto found = edges_.find(key);
    if (found == edges_.end()) {
      const TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(vertices_[key.first], vertices_[key.second]).Edge();
      found = edges_.emplace(key, Use{edge, 0}).first;
    }
    ++found->second.faces;
    const TopoDS_Edge& edge = found->second.edge;
    return from == key.first ? edge : TopoDS::Edge(edge.Reversed());
  }

  // Closed when every edge borders exactly two triangles.
  bool Closed() const {
    for (const auto& [key, use] : edges_) {
      if (use.faces != 2) return false;
    }
    return !edges_.empty();
  }

 private:
  struct Use {
    TopoDS_Edge edge;
    int faces;
  };
  std::vector<TopoDS_Vertex> vertices_;
  std::map<NodePair, Use> edges_;
};

std::vector<TopoDS_Vertex> VerticesOf(const Handle(Poly_Triangulation) & mesh) {
  std::vector<TopoDS_Vertex> vertices(static_cast<std::size_t>(mesh->NbNodes()) + 1);
  for (int node = 1; node <= mesh->NbNodes(); ++node) {
    vertices[static_cast<std::size_t>(node)] = BRepBuilderAPI_MakeVertex(mesh->Node(node)).Vertex();
  }
  return vertices;
}

bool IsDegenerate(const gp_Pnt& a, const gp_Pnt& b, const gp_Pnt& c) {
  return gp_Vec(a, b).Crossed(gp_Vec(a, c)).Magnitude() <= Precision::Confusion() * Precision::Confusion();
}

TopoDS_Face TriangleFace(EdgeStore& edges, const std::array<int, 3>& nodes, const std::array<gp_Pnt, 3>& corners) {
  BRepBuilderAPI_MakeWire wire;
  for (std::size_t side = 0; side < 3; ++side) wire.Add(edges.Between(nodes[side], nodes[(side + 1) % 3]));
  const gp_Pln plane(corners[0], gp_Vec(corners[0], corners[1]).Crossed(gp_Vec(corners[0], corners[2])));
  return BRepBuilderAPI_MakeFace(plane, wire.Wire()).Face();
}

TopoDS_Shape ClosedOrOpen(const TopoDS_Shell& shell, bool closed) {
  if (!closed) return shell;
  TopoDS_Shell closedShell = shell;
  closedShell.Closed(true);
  TopoDS_Solid solid;
  BRep_Builder builder;
  builder.MakeSolid(solid);
  builder.Add(solid, closedShell);
  BRepLib::OrientClosedSolid(solid);
  return solid;
}

}  // namespace

TopoDS_Shape ShapeFromTriangles(const Handle(Poly_Triangulation) & mesh) {
  EdgeStore edges(VerticesOf(mesh));
  TopoDS_Shell shell;
  BRep_Builder builder;
  builder.MakeShell(shell);
  for (int triangle = 1; triangle <= mesh->NbTriangles(); ++triangle) {
    std::array<int, 3> nodes{};
    mesh->Triangle(triangle).Get(nodes[0], nodes[1], nodes[2]);
    const std::array<gp_Pnt, 3> corners{mesh->Node(nodes[0]), mesh->Node(nodes[1]), mesh->Node(nodes[2])};
    if (IsDegenerate(corners[0], corners[1], corners[2])) continue;
    builder.Add(shell, TriangleFace(edges, nodes, corners));
  }
  return ClosedOrOpen(shell, edges.Closed());
}

}  // namespace korrin::standin
