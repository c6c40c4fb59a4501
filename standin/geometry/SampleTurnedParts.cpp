// The sample parts turned on a lathe: shaft, flange, washer, bushing and pin.
#include <cmath>
#include <gp_Ax2.hxx>

#include "geometry/PartFeatures.h"
#include "geometry/SampleParts.h"

namespace korrin::standin {
namespace {

TopoDS_Shape ShaftBody(const ShaftSize& size) {
  const double endRadius = size.endDiameter / 2;
  const double farEndStart = size.endLength + size.middleLength;
  return Fused(UprightCylinder(0, 0, 0, endRadius, size.endLength),
               {UprightCylinder(0, 0, size.endLength, size.middleDiameter / 2, size.middleLength),
                UprightCylinder(0, 0, farEndStart, endRadius, size.endLength)});
}

// A square-ended keyway in the middle of the wide section, cut from +Y.
TopoDS_Shape Keyway(const ShaftSize& size) {
  const double middleRadius = size.middleDiameter / 2;
  const double centre = size.endLength + size.middleLength / 2;
  const gp_Pnt corner(-size.keywayWidth / 2, middleRadius - size.keywayDepth, centre - size.keywayLength / 2);
  return Block(corner, size.keywayWidth, size.keywayDepth + kToolOverrun, size.keywayLength);
}

// The ring the groove removes near the far end.
TopoDS_Shape GrooveRing(const ShaftSize& size) {
  const double endRadius = size.endDiameter / 2;
  const double top = 2 * size.endLength + size.middleLength - size.grooveOffset;
  const double bottom = top - size.grooveWidth;
  const TopoDS_Shape outer = UprightCylinder(0, 0, bottom, endRadius + kToolOverrun, size.grooveWidth);
  return CutAway(outer, {UprightCylinder(0, 0, bottom, endRadius - size.grooveDepth, size.grooveWidth)});
}

std::vector<TopoDS_Shape> BoltHoles(const FlangeSize& size) {
  std::vector<TopoDS_Shape> holes;
  const double circleRadius = size.boltCircleDiameter / 2;
  for (int hole = 0; hole < size.boltCount; ++hole) {
    const double angle = 2 * M_PI * hole / size.boltCount;
    holes.push_back(HoleAlongZ(circleRadius * std::cos(angle), circleRadius * std::sin(angle), size.boltHoleDiameter,
                               size.discThickness));
  }
  return holes;
}

}  // namespace

Result<TopoDS_Shape> MakeSteppedShaft(const ShaftSize& size) {
  constexpr std::string_view part = "stepped shaft";
  const Status sizes = RequirePositive(part, {{"end diameter", size.endDiameter},
                                              {"end length", size.endLength},
                                              {"middle diameter", size.middleDiameter},
                                              {"middle length", size.middleLength},
                                              {"keyway width", size.keywayWidth},
                                              {"keyway depth", size.keywayDepth},
                                              {"keyway length", size.keywayLength},
                                              {"groove width", size.grooveWidth},
                                              {"groove depth", size.grooveDepth},
                                              {"groove offset", size.grooveOffset}});
  if (!sizes) return sizes.failure();
  if (size.keywayLength >= size.middleLength || size.keywayDepth >= size.middleDiameter / 2) {
    return SizeFailure(part, "the keyway must fit inside the middle section");
  }
  if (size.grooveOffset + size.grooveWidth >= size.endLength || size.grooveDepth >= size.endDiameter / 2) {
    return SizeFailure(part, "the groove must fit inside the end section");
  }
  return BuildPart(part, [&] { return CutAway(ShaftBody(size), {Keyway(size), GrooveRing(size)}); });
}

Result<TopoDS_Shape> MakeFlange(const FlangeSize& size) {
  constexpr std::string_view part = "flange";
  const Status sizes = RequirePositive(part, {{"disc diameter", size.discDiameter},
                                              {"disc thickness", size.discThickness},
                                              {"hub diameter", size.hubDiameter},
                                              {"hub height", size.hubHeight},
                                              {"bore diameter", size.boreDiameter},
                                              {"bolt count", size.boltCount},
                                              {"bolt circle diameter", size.boltCircleDiameter},
                                              {"bolt hole diameter", size.boltHoleDiameter}});
  if (!sizes) return sizes.failure();
  if (size.boreDiameter >= size.hubDiameter || size.hubDiameter >= size.discDiameter) {
    return SizeFailure(part, "bore, hub and disc must each be wider than the one before");
  }
  return BuildPart(part, [&] {
    const TopoDS_Shape disc = UprightCylinder(0, 0, 0, size.discDiameter / 2, size.discThickness);
    const TopoDS_Shape hub = UprightCylinder(0, 0, size.discThickness, size.hubDiameter / 2, size.hubHeight);
    std::vector<TopoDS_Shape> holes = BoltHoles(size);
    holes.push_back(HoleAlongZ(0, 0, size.boreDiameter, size.discThickness + size.hubHeight));
    return CutAway(Fused(disc, {hub}), holes);
  });
}

Result<TopoDS_Shape> MakeWasher(const WasherSize& size) {
  constexpr std::string_view part = "washer";
  const Status sizes = RequirePositive(
      part,
      {{"outer diameter", size.outerDiameter}, {"inner diameter", size.innerDiameter}, {"thickness", size.thickness}});
  if (!sizes) return sizes.failure();
  if (size.innerDiameter >= size.outerDiameter) return SizeFailure(part, "the hole must be narrower than the washer");
  return BuildPart(part, [&] {
    return CutAway(UprightCylinder(0, 0, 0, size.outerDiameter / 2, size.thickness),
                   {HoleAlongZ(0, 0, size.innerDiameter, size.thickness)});
  });
}

Result<TopoDS_Shape> MakeBushing(const BushingSize& size) {
  constexpr std::string_view part = "bushing";
  const Status sizes = RequirePositive(part, {{"outer diameter", size.outerDiameter},
                                              {"inner diameter", size.innerDiameter},
                                              {"length", size.length},
                                              {"collar diameter", size.collarDiameter},
                                              {"collar thickness", size.collarThickness}});
  if (!sizes) return sizes.failure();
  if (size.innerDiameter >= size.outerDiameter || size.outerDiameter >= size.collarDiameter) {
    return SizeFailure(part, "bore, sleeve and collar must each be wider than the one before");
  }
  if (size.collarThickness >= size.length)
    return SizeFailure(part, "the collar must be thinner than the bushing is long");
  return BuildPart(part, [&] {
    const TopoDS_Shape collar = UprightCylinder(0, 0, 0, size.collarDiameter / 2, size.collarThickness);
    const TopoDS_Shape sleeve =
        UprightCylinder(0, 0, size.collarThickness, size.outerDiameter / 2, size.length - size.collarThickness);
    return CutAway(Fused(collar, {sleeve}), {HoleAlongZ(0, 0, size.innerDiameter, size.length)});
  });
}

Result<TopoDS_Shape> MakePin(const PinSize& size) {
  constexpr std::string_view part = "pin";
  const Status sizes =
      RequirePositive(part, {{"diameter", size.diameter}, {"length", size.length}, {"chamfer", size.chamfer}});
  if (!sizes) return sizes.failure();
  if (2 * size.chamfer >= size.diameter || 2 * size.chamfer >= size.length) {
    return SizeFailure(part, "the chamfers must be smaller than the pin");
  }
  return BuildPart(part, [&] {
    return ChamferEdges(UprightCylinder(0, 0, 0, size.diameter / 2, size.length), IsCircle, size.chamfer);
  });
}

}  // namespace korrin::standin
