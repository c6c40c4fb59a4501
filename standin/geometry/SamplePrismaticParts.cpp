// The sample parts milled or cut from plate and bar: bracket, hole plate,
// spacer block, hexagon nut, gear, housing and cover plate.
#include <Precision.hxx>
#include <cmath>
#include <gp_Ax2.hxx>

#include "geometry/PartFeatures.h"
#include "geometry/SampleParts.h"

namespace korrin::standin {
namespace {

// Base holes sit this far along the free length of the base from the
// upright's inner face; the upright hole as far up its free height.
constexpr double kBracketHoleFraction = 0.6;
// A nut's bevel rises at 30 degrees from its faces, starting at the circle
// that touches the flats.
constexpr double kNutBevelAngle = M_PI / 6;
// Of a tooth pitch, the tooth takes this fraction at the root circle and this
// at the tip circle.
constexpr double kToothRootFraction = 0.5;
constexpr double kToothTipFraction = 0.3;

bool Near(double value, double expected) { return std::abs(value - expected) < Precision::Confusion(); }

std::vector<TopoDS_Shape> HoleGrid(const HolePlateSize& size) {
  std::vector<TopoDS_Shape> holes;
  for (int column = 0; column < size.holeColumns; ++column) {
    for (int row = 0; row < size.holeRows; ++row) {
      const double x = (column - (size.holeColumns - 1) / 2.0) * size.holePitch;
      const double y = (row - (size.holeRows - 1) / 2.0) * size.holePitch;
      holes.push_back(HoleAlongZ(x, y, size.holeDiameter, size.thickness));
    }
  }
  return holes;
}

TopoDS_Shape BracketBody(const BracketSize& size) {
  const TopoDS_Shape base = Block(gp::Origin(), size.width, size.baseLength, size.thickness);
  const TopoDS_Shape upright = Block(gp::Origin(), size.width, size.thickness, size.uprightHeight);
  const TopoDS_Shape body = Fused(base, {upright});
  // The inner corner: the straight edge along X where the two plates meet inside.
  const auto isInnerCorner = [&](const TopoDS_Edge& edge) {
    const gp_Pnt middle = EdgeMidpoint(edge);
    return Near(middle.Y(), size.thickness) && Near(middle.Z(), size.thickness);
  };
  return FilletEdges(body, isInnerCorner, size.filletRadius);
}

std::vector<TopoDS_Shape> BracketHoles(const BracketSize& size) {
  const double baseHoleY = size.thickness + (size.baseLength - size.thickness) * kBracketHoleFraction;
  const double uprightHoleZ = size.thickness + (size.uprightHeight - size.thickness) * kBracketHoleFraction;
  return {
      HoleAlongZ(size.width / 4, baseHoleY, size.holeDiameter, size.thickness),
      HoleAlongZ(3 * size.width / 4, baseHoleY, size.holeDiameter, size.thickness),
      Cylinder(gp_Ax2(gp_Pnt(size.width / 2, -kToolOverrun, uprightHoleZ), gp::DY()), size.holeDiameter / 2,
               size.thickness + 2 * kToolOverrun),
  };
}

// A 30-degree bevel on both faces, as the solid of revolution the nut is
// trimmed to: full height inside the circle touching the flats, falling off
// beyond it.
TopoDS_Shape NutBevelBody(const HexNutSize& size) {
  const double start = size.acrossFlats / 2;
  const double outside = size.acrossFlats / std::sqrt(3.0) + kToolOverrun;
  const double drop = (outside - start) * std::tan(kNutBevelAngle);
  return Revolved(
      {{0, 0}, {start, 0}, {outside, drop}, {outside, size.height - drop}, {start, size.height}, {0, size.height}});
}

std::vector<gp_Pnt2d> Hexagon(double acrossFlats) {
  const double cornerRadius = acrossFlats / std::sqrt(3.0);
  std::vector<gp_Pnt2d> corners;
  for (int corner = 0; corner < 6; ++corner) {
    const double angle = corner * M_PI / 3;
    corners.emplace_back(cornerRadius * std::cos(angle), cornerRadius * std::sin(angle));
  }
  return corners;
}

gp_Pnt2d OnCircle(double radius, double angle) { return {radius * std::cos(angle), radius * std::sin(angle)}; }

// Four corners a tooth, counter-clockwise: root, tip, tip, root; straight root
// lands join the teeth.
std::vector<gp_Pnt2d> GearOutline(const GearSize& size) {
  const double pitchAngle = 2 * M_PI / size.toothCount;
  const double rootHalf = pitchAngle * kToothRootFraction / 2;
  const double tipHalf = pitchAngle * kToothTipFraction / 2;
  const double rootRadius = size.rootDiameter / 2;
  const double tipRadius = size.tipDiameter / 2;
  std::vector<gp_Pnt2d> outline;
  for (int tooth = 0; tooth < size.toothCount; ++tooth) {
    const double centre = tooth * pitchAngle;
    outline.push_back(OnCircle(rootRadius, centre - rootHalf));
    outline.push_back(OnCircle(tipRadius, centre - tipHalf));
    outline.push_back(OnCircle(tipRadius, centre + tipHalf));
    outline.push_back(OnCircle(rootRadius, centre + rootHalf));
  }
  return outline;
}

std::vector<TopoDS_Shape> CoverCutouts(const CoverPlateSize& size) {
  const double holeX = size.length / 2 - size.screwHoleInset;
  const double holeY = size.width / 2 - size.screwHoleInset;
  std::vector<TopoDS_Shape> cutouts;
  for (const double x : {-holeX, holeX}) {
    for (const double y : {-holeY, holeY}) {
      cutouts.push_back(HoleAlongZ(x, y, size.screwHoleDiameter, size.thickness));
    }
  }
  cutouts.push_back(HoleAlongZ(0, 0, size.openingDiameter, size.thickness));
  return cutouts;
}

gp_Pnt CentredCorner(double length, double width) { return {-length / 2, -width / 2, 0}; }

}  // namespace

Result<TopoDS_Shape> MakeBracket(const BracketSize& size) {
  constexpr std::string_view part = "bracket";
  const Status sizes = RequirePositive(part, {{"width", size.width},
                                              {"base length", size.baseLength},
                                              {"upright height", size.uprightHeight},
                                              {"thickness", size.thickness},
                                              {"hole diameter", size.holeDiameter},
                                              {"fillet radius", size.filletRadius}});
  if (!sizes) return sizes.failure();
  return BuildPart(part, [&] { return CutAway(BracketBody(size), BracketHoles(size)); });
}

Result<TopoDS_Shape> MakeHolePlate(const HolePlateSize& size) {
  constexpr std::string_view part = "hole plate";
  const Status sizes = RequirePositive(part, {{"length", size.length},
                                              {"width", size.width},
                                              {"thickness", size.thickness},
                                              {"hole columns", size.holeColumns},
                                              {"hole rows", size.holeRows},
                                              {"hole pitch", size.holePitch},
                                              {"hole diameter", size.holeDiameter}});
  if (!sizes) return sizes.failure();
  return BuildPart(part, [&] {
    return CutAway(Block(CentredCorner(size.length, size.width), size.length, size.width, size.thickness),
                   HoleGrid(size));
  });
}

Result<TopoDS_Shape> MakeSpacerBlock(const SpacerBlockSize& size) {
  constexpr std::string_view part = "spacer block";
  const Status sizes = RequirePositive(part, {{"length", size.length},
                                              {"width", size.width},
                                              {"height", size.height},
                                              {"hole diameter", size.holeDiameter},
                                              {"chamfer", size.chamfer}});
  if (!sizes) return sizes.failure();
  return BuildPart(part, [&] {
    const TopoDS_Shape block = Block(CentredCorner(size.length, size.width), size.length, size.width, size.height);
    const TopoDS_Shape bevelled = ChamferEdges(block, IsStraightAlongZ, size.chamfer);
    return CutAway(bevelled, {HoleAlongZ(0, 0, size.holeDiameter, size.height)});
  });
}

Result<TopoDS_Shape> MakeHexNut(const HexNutSize& size) {
  constexpr std::string_view part = "hexagon nut";
  const Status sizes = RequirePositive(
      part, {{"width across flats", size.acrossFlats}, {"height", size.height}, {"bore diameter", size.boreDiameter}});
  if (!sizes) return sizes.failure();
  if (size.boreDiameter >= size.acrossFlats) return SizeFailure(part, "the bore must be narrower than the flats");
  return BuildPart(part, [&] {
    const TopoDS_Shape prism = ExtrudedPolygon(Hexagon(size.acrossFlats), size.height);
    return CutAway(Common(prism, NutBevelBody(size)), {HoleAlongZ(0, 0, size.boreDiameter, size.height)});
  });
}

Result<TopoDS_Shape> MakeGear(const GearSize& size) {
  constexpr std::string_view part = "gear";
  const Status sizes = RequirePositive(part, {{"tooth count", size.toothCount},
                                              {"tip diameter", size.tipDiameter},
                                              {"root diameter", size.rootDiameter},
                                              {"width", size.width},
                                              {"bore diameter", size.boreDiameter}});
  if (!sizes) return sizes.failure();
  if (size.rootDiameter >= size.tipDiameter) return SizeFailure(part, "the root circle must lie inside the tip circle");
  if (size.boreDiameter >= size.rootDiameter) return SizeFailure(part, "the bore must lie inside the root circle");
  return BuildPart(part, [&] {
    return CutAway(ExtrudedPolygon(GearOutline(size), size.width), {HoleAlongZ(0, 0, size.boreDiameter, size.width)});
  });
}

Result<TopoDS_Shape> MakeHousing(const HousingSize& size) {
  constexpr std::string_view part = "housing";
  const Status sizes = RequirePositive(part, {{"length", size.length},
                                              {"width", size.width},
                                              {"height", size.height},
                                              {"wall thickness", size.wallThickness}});
  if (!sizes) return sizes.failure();
  if (2 * size.wallThickness >= std::min(size.length, size.width) || size.wallThickness >= size.height) {
    return SizeFailure(part, "the walls leave no room inside");
  }
  return BuildPart(part, [&] {
    return OpenTopShell(Block(CentredCorner(size.length, size.width), size.length, size.width, size.height),
                        size.wallThickness);
  });
}

Result<TopoDS_Shape> MakeCoverPlate(const CoverPlateSize& size) {
  constexpr std::string_view part = "cover plate";
  const Status sizes = RequirePositive(part, {{"length", size.length},
                                              {"width", size.width},
                                              {"thickness", size.thickness},
                                              {"corner radius", size.cornerRadius},
                                              {"screw hole diameter", size.screwHoleDiameter},
                                              {"screw hole inset", size.screwHoleInset},
                                              {"opening diameter", size.openingDiameter}});
  if (!sizes) return sizes.failure();
  return BuildPart(part, [&] {
    const TopoDS_Shape plate = Block(CentredCorner(size.length, size.width), size.length, size.width, size.thickness);
    return CutAway(FilletEdges(plate, IsStraightAlongZ, size.cornerRadius), CoverCutouts(size));
  });
}

}  // namespace korrin::standin
