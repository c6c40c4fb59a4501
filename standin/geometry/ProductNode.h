#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include <string>
#include <vector>

namespace korrin::standin {

// A shape with the name the host shows for it.
struct NamedShape {
  std::string name;
  TopoDS_Shape shape;
};

// One product of a product structure: a part holds a shape and no children;
// an assembly holds children and no shape. The placement puts the product
// into its parent's coordinates (identity for the top product). Names are
// kept through STEP files.
struct ProductNode {
  std::string name;
  TopoDS_Shape shape;
  std::vector<ProductNode> children;
  gp_Trsf placement;

  bool IsAssembly() const { return !children.empty(); }
};

// A part placed in its parent.
ProductNode PlacedPart(NamedShape part, const gp_Trsf& placement = {});

// An assembly of the given children.
ProductNode Assembly(std::string name, std::vector<ProductNode> children, const gp_Trsf& placement = {});

// Every part below the products, placed in the coordinates the products are
// placed in, as one shape (OneShape).
TopoDS_Shape PlacedPartsShape(const std::vector<ProductNode>& products);

}  // namespace korrin::standin
