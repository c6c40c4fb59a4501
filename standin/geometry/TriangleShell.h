#pragma once

#include <Poly_Triangulation.hxx>
#include <TopoDS_Shape.hxx>

namespace korrin::standin {

// Exact geometry for a mesh: a planar face per triangle, neighbours sharing
// their edge, so the result survives B-rep text and every writer. A closed
// mesh becomes a solid oriented outward, an open one a shell. Triangles whose
// corners coincide or lie on a line are left out. Throws Standard_Failure
// when Open CASCADE cannot build a face.
TopoDS_Shape ShapeFromTriangles(const Handle(Poly_Triangulation) & mesh);

}  // namespace korrin::standin
