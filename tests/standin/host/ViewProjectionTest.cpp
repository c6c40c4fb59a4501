// Models projected for printing, with their hidden lines found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "OcctGeometryExchange.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"

namespace korrin {
namespace {

using standin::ViewDirection;

constexpr double kTolerance = 1e-3;

standin::ModelNode Spacer(std::optional<standin::StandinPlacement> placement = std::nullopt) {
  return {"spacer", standin::BrepText(standin::MakeSpacerBlock().value()), placement, {}};
}

bool HasVerticalLineAt(const std::vector<standin::ViewPolyline>& polylines, double x) {
  return std::any_of(polylines.begin(), polylines.end(), [x](const standin::ViewPolyline& line) {
    return std::all_of(line.begin(), line.end(),
                       [x](const standin::ViewPoint& p) { return std::abs(p.x - x) < kTolerance; });
  });
}

// A piece of at least three points, all at the radius from the Z axis.
bool HasArcAboutTheAxis(const std::vector<standin::ViewPolyline>& polylines, double radius) {
  return std::any_of(polylines.begin(), polylines.end(), [radius](const standin::ViewPolyline& line) {
    return line.size() >= 3 && std::all_of(line.begin(), line.end(), [radius](const standin::ViewPoint& p) {
             return std::abs(std::hypot(p.x, p.y) - radius) < kTolerance;
           });
  });
}

TEST(ViewProjectionTest, EachDirectionShowsTheModelsSidesInItsPlane) {
  standin::OcctGeometryExchange geometry;
  // The spacer block is 40 along X, 30 along Y, 20 along Z from z = 0.
  const struct {
    ViewDirection direction;
    double left, bottom, right, top;
  } cases[] = {
      {ViewDirection::Front, -20, -15, 20, 15},  // X right, Y up
      {ViewDirection::Top, -20, -20, 20, 0},     // X right, -Z up
      {ViewDirection::Right, -20, -15, 0, 15},   // -Z right, Y up
  };
  for (const auto& test : cases) {
    auto view = geometry.Project(Spacer(), test.direction, false);
    ASSERT_TRUE(view.ok()) << view.failure().description;
    const standin::ViewBounds bounds = standin::BoundsOf(view.value());
    EXPECT_NEAR(bounds.left, test.left, kTolerance) << static_cast<int>(test.direction);
    EXPECT_NEAR(bounds.bottom, test.bottom, kTolerance) << static_cast<int>(test.direction);
    EXPECT_NEAR(bounds.right, test.right, kTolerance) << static_cast<int>(test.direction);
    EXPECT_NEAR(bounds.top, test.top, kTolerance) << static_cast<int>(test.direction);
    EXPECT_TRUE(view.value().facets.empty());
  }
  // Isometric: across, the box spans its X and Z extents, each seen at 45 degrees.
  auto isometric = geometry.Project(Spacer(), ViewDirection::Isometric, false);
  ASSERT_TRUE(isometric.ok());
  EXPECT_NEAR(standin::BoundsOf(isometric.value()).width(), 60 / std::sqrt(2.0), kTolerance);
}

TEST(ViewProjectionTest, TheHoleIsSeenFromItsEndAndHiddenFromTheSide) {
  standin::OcctGeometryExchange geometry;
  // The 10 mm hole runs along Z: from above (Top) its sides lie inside the block.
  auto top = geometry.Project(Spacer(), ViewDirection::Top, false);
  ASSERT_TRUE(top.ok());
  for (const double side : {-5.0, 5.0}) {
    EXPECT_TRUE(HasVerticalLineAt(top.value().hiddenEdges, side)) << side;
    EXPECT_FALSE(HasVerticalLineAt(top.value().visibleEdges, side)) << side;
  }
  // Looking along it (Front), its near end's circle is in sight (the far
  // end's lies right behind it, hidden).
  auto front = geometry.Project(Spacer(), ViewDirection::Front, false);
  ASSERT_TRUE(front.ok());
  EXPECT_TRUE(HasArcAboutTheAxis(front.value().visibleEdges, 5));
  EXPECT_FALSE(HasArcAboutTheAxis(top.value().visibleEdges, 5));
}

TEST(ViewProjectionTest, ShadedViewsGetLitFacetsFarthestFirst) {
  standin::OcctGeometryExchange geometry;
  auto shaded = geometry.Project(Spacer(), ViewDirection::Isometric, true);
  ASSERT_TRUE(shaded.ok());
  const auto& facets = shaded.value().facets;
  ASSERT_FALSE(facets.empty());
  EXPECT_TRUE(std::is_sorted(facets.begin(), facets.end(),
                             [](const auto& a, const auto& b) { return a.depth < b.depth; }));
  for (const standin::ViewFacet& facet : facets) {
    EXPECT_GE(facet.brightness, 0);
    EXPECT_LE(facet.brightness, 1);
  }
  // Facets cover what the edges outline.
  standin::ProjectedView edgesOnly = shaded.value();
  edgesOnly.facets.clear();
  EXPECT_NEAR(standin::BoundsOf(shaded.value()).width(), standin::BoundsOf(edgesOnly).width(), 0.01);
}

TEST(ViewProjectionTest, AssembliesArePlacedAndPartsWithoutShapeAddNothing) {
  standin::OcctGeometryExchange geometry;
  standin::StandinPlacement moved;
  moved.translationMillimetres = {100, 0, 0};
  const standin::ModelNode empty{"empty", "", std::nullopt, {}};
  const standin::ModelNode assembly{"pair", "", std::nullopt, {Spacer(), Spacer(moved), empty}};
  auto view = geometry.Project(assembly, ViewDirection::Front, false);
  ASSERT_TRUE(view.ok());
  EXPECT_NEAR(standin::BoundsOf(view.value()).left, -20, kTolerance);
  EXPECT_NEAR(standin::BoundsOf(view.value()).right, 120, kTolerance);

  auto nothing = geometry.Project(empty, ViewDirection::Front, true);
  ASSERT_TRUE(nothing.ok());
  EXPECT_TRUE(nothing.value().empty());

  auto broken = geometry.Project({"broken", "not a shape", std::nullopt, {}}, ViewDirection::Front, false);
  ASSERT_FALSE(broken.ok());
  EXPECT_TRUE(broken.failure().description.starts_with("The part \"broken\": ")) << broken.failure().description;
}

}  // namespace
}  // namespace korrin
