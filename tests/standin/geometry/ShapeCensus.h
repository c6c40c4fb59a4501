#pragma once

#include <BRepCheck_Analyzer.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopoDS.hxx>
#include <ostream>

namespace korrin::testing {

// What a repair changes in a shape, counted independently of the code under
// test: the kind of the top shape, its solids, shells and faces, the edges
// only one face uses (a seam counts twice in its face), and whether Open
// CASCADE's checker finds it valid.
struct ShapeCensus {
  TopAbs_ShapeEnum type = TopAbs_SHAPE;
  int solids = 0;
  int shells = 0;
  int faces = 0;
  int freeEdges = 0;
  bool valid = false;

  bool operator==(const ShapeCensus&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ShapeCensus& census) {
  const char* types[] = {"compound", "compsolid", "solid", "shell", "face", "wire", "edge", "vertex", "shape"};
  return out << "{" << types[census.type] << ", " << census.solids << " solids, " << census.shells << " shells, "
             << census.faces << " faces, " << census.freeEdges << " free edges, "
             << (census.valid ? "valid" : "invalid") << "}";
}

inline int CountOf(const TopoDS_Shape& shape, TopAbs_ShapeEnum kind) {
  int count = 0;
  for (TopExp_Explorer explorer(shape, kind); explorer.More(); explorer.Next()) ++count;
  return count;
}

inline int FreeEdgeCount(const TopoDS_Shape& shape) {
  TopTools_IndexedDataMapOfShapeListOfShape facesOfEdges;
  TopExp::MapShapesAndAncestors(shape, TopAbs_EDGE, TopAbs_FACE, facesOfEdges);
  int free = 0;
  for (int index = 1; index <= facesOfEdges.Extent(); ++index) {
    if (BRep_Tool::Degenerated(TopoDS::Edge(facesOfEdges.FindKey(index)))) continue;
    if (facesOfEdges(index).Extent() == 1) ++free;
  }
  return free;
}

inline ShapeCensus CensusOf(const TopoDS_Shape& shape) {
  const bool valid = BRepCheck_Analyzer(shape).IsValid();
  return ShapeCensus{shape.ShapeType(),          CountOf(shape, TopAbs_SOLID), CountOf(shape, TopAbs_SHELL),
                     CountOf(shape, TopAbs_FACE), FreeEdgeCount(shape),         valid};
}

}  // namespace korrin::testing
