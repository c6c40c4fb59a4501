#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

namespace korrin::standin {

// The shapes as one: a lone shape as it is, more as a compound of them all,
// none as a null shape.
TopoDS_Shape OneShape(const std::vector<TopoDS_Shape>& shapes);

}  // namespace korrin::standin
