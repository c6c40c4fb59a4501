#pragma once

#include <TopoDS_Shape.hxx>
#include <string>
#include <vector>

#include "geometry/ProductNode.h"

namespace korrin::standin {

// A file that holds several solids and no assembly of its own becomes an
// assembly of one part per solid, named "<stem>_1", "<stem>_2" ... in the
// order the file holds them; whatever lies outside the solids (loose shells,
// faces, curves) goes into one more part after them. Empty when the shape
// holds fewer than two solids: the file is then a single part.
std::vector<NamedShape> SolidParts(const TopoDS_Shape& shape, const std::string& stem);

}  // namespace korrin::standin
