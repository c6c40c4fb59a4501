#include "geometry/ProductNode.h"

#include <utility>

#include "geometry/OneShape.h"

namespace korrin::standin {
namespace {

void AddPlacedParts(const ProductNode& product, const gp_Trsf& parent, std::vector<TopoDS_Shape>& parts) {
  const gp_Trsf here = parent.Multiplied(product.placement);
  if (!product.IsAssembly()) {
    if (product.shape.IsNull()) return;
    parts.push_back(here.Form() == gp_Identity ? product.shape : product.shape.Moved(TopLoc_Location(here)));
    return;
  }
  for (const ProductNode& child : product.children) AddPlacedParts(child, here, parts);
}

}  // namespace

ProductNode PlacedPart(NamedShape part, const gp_Trsf& placement) {
  return ProductNode{std::move(part.name), std::move(part.shape), {}, placement};
}

ProductNode Assembly(std::string name, std::vector<ProductNode> children, const gp_Trsf& placement) {
  return ProductNode{std::move(name), TopoDS_Shape(), std::move(children), placement};
}

TopoDS_Shape PlacedPartsShape(const std::vector<ProductNode>& products) {
  std::vector<TopoDS_Shape> parts;
  for (const ProductNode& product : products) AddPlacedParts(product, gp_Trsf(), parts);
  return OneShape(parts);
}

}  // namespace korrin::standin
