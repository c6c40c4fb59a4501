#include "geometry/OneShape.h"

#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

namespace korrin::standin {

TopoDS_Shape OneShape(const std::vector<TopoDS_Shape>& shapes) {
  if (shapes.empty()) return {};
  if (shapes.size() == 1) return shapes.front();
  BRep_Builder builder;
  TopoDS_Compound all;
  builder.MakeCompound(all);
  for (const TopoDS_Shape& shape : shapes) builder.Add(all, shape);
  return all;
}

}  // namespace korrin::standin
