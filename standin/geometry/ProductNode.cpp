#include "geometry/ProductNode.h"

#include <utility>

namespace korrin::standin {

ProductNode PlacedPart(NamedShape part, const gp_Trsf& placement) {
  return ProductNode{std::move(part.name), std::move(part.shape), {}, placement};
}

ProductNode Assembly(std::string name, std::vector<ProductNode> children, const gp_Trsf& placement) {
  return ProductNode{std::move(name), TopoDS_Shape(), std::move(children), placement};
}

}  // namespace korrin::standin
