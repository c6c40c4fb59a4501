#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

#include "geometry/ProductNode.h"
#include "ports/Result.h"

namespace korrin::standin {

// Sample parts of the stand-in host: solids built from the given sizes, in
// millimetres, the same shape for the same sizes every time. A size that is
// not positive, or sizes that leave no valid solid, give a failure
// (kGeometryFailed) naming the part.

// An L-bracket: a base plate along Y and an upright plate along Z sharing the
// edge at y = 0, a fillet in the inner corner, two holes through the base and
// one through the upright. Corner at the origin, width along X.
struct BracketSize {
  double width = 40;
  double baseLength = 60;
  double uprightHeight = 50;
  double thickness = 6;
  double holeDiameter = 6.6;
  double filletRadius = 4;
};
Result<TopoDS_Shape> MakeBracket(const BracketSize& size = {});

// A plate with a grid of through holes, centred on the Z axis, lying on z = 0.
struct HolePlateSize {
  double length = 100;
  double width = 60;
  double thickness = 8;
  int holeColumns = 3;
  int holeRows = 2;
  double holePitch = 30;
  double holeDiameter = 8;
};
Result<TopoDS_Shape> MakeHolePlate(const HolePlateSize& size = {});

// A shaft along Z from z = 0: an end journal, a wider middle with a keyway cut
// from the +Y side, and a second end journal with a ring groove at
// grooveOffset from the shaft's far end.
struct ShaftSize {
  double endDiameter = 20;
  double endLength = 40;
  double middleDiameter = 30;
  double middleLength = 60;
  double keywayWidth = 8;
  double keywayDepth = 4;
  double keywayLength = 40;
  double grooveWidth = 1.3;
  double grooveDepth = 1;
  double grooveOffset = 5;
};
Result<TopoDS_Shape> MakeSteppedShaft(const ShaftSize& size = {});

// A flange on z = 0 about the Z axis: a disc with a bolt circle of holes, a hub
// above it, and a bore through both.
struct FlangeSize {
  double discDiameter = 120;
  double discThickness = 12;
  double hubDiameter = 60;
  double hubHeight = 25;
  double boreDiameter = 30;
  int boltCount = 6;
  double boltCircleDiameter = 90;
  double boltHoleDiameter = 11;
};
Result<TopoDS_Shape> MakeFlange(const FlangeSize& size = {});

// A flat washer on z = 0 about the Z axis (defaults: M12).
struct WasherSize {
  double outerDiameter = 24;
  double innerDiameter = 13;
  double thickness = 2.5;
};
Result<TopoDS_Shape> MakeWasher(const WasherSize& size = {});

// A flanged bushing on z = 0 about the Z axis: the collar at the bottom, the
// sleeve above it, the bore through both; length includes the collar.
struct BushingSize {
  double outerDiameter = 30;
  double innerDiameter = 20;
  double length = 25;
  double collarDiameter = 40;
  double collarThickness = 4;
};
Result<TopoDS_Shape> MakeBushing(const BushingSize& size = {});

// A spacer block centred on the Z axis on z = 0, with a through hole along Z
// and its four vertical edges chamfered.
struct SpacerBlockSize {
  double length = 40;
  double width = 30;
  double height = 20;
  double holeDiameter = 10;
  double chamfer = 2;
};
Result<TopoDS_Shape> MakeSpacerBlock(const SpacerBlockSize& size = {});

// A dowel pin along Z from z = 0, chamfered at both ends.
struct PinSize {
  double diameter = 8;
  double length = 40;
  double chamfer = 0.8;
};
Result<TopoDS_Shape> MakePin(const PinSize& size = {});

// A hexagon nut body on z = 0 about the Z axis, corners on the X axis, its
// bore at the thread's minor diameter, both faces chamfered at 30 degrees
// (defaults: M12).
struct HexNutSize {
  double acrossFlats = 18;
  double height = 10.8;
  double boreDiameter = 10.1;
};
Result<TopoDS_Shape> MakeHexNut(const HexNutSize& size = {});

// A spur-gear-like disc on z = 0 about the Z axis: straight-flanked teeth
// between the root and tip circles, the first tooth centred on the X axis,
// and a bore.
struct GearSize {
  int toothCount = 20;
  double tipDiameter = 44;
  double rootDiameter = 35;
  double width = 10;
  double boreDiameter = 20;
};
Result<TopoDS_Shape> MakeGear(const GearSize& size = {});

// A box open at the top with walls and floor of the given thickness, its
// outside centred on the Z axis on z = 0.
struct HousingSize {
  double length = 80;
  double width = 60;
  double height = 40;
  double wallThickness = 3;
};
Result<TopoDS_Shape> MakeHousing(const HousingSize& size = {});

// A cover for the housing: a plate with rounded corners, a screw hole near
// each corner and a round opening in the middle, centred on the Z axis on
// z = 0.
struct CoverPlateSize {
  double length = 80;
  double width = 60;
  double thickness = 4;
  double cornerRadius = 5;
  double screwHoleDiameter = 4.5;
  double screwHoleInset = 8;
  double openingDiameter = 30;
};
Result<TopoDS_Shape> MakeCoverPlate(const CoverPlateSize& size = {});

// The twelve parts above at their default sizes, in the order listed, named
// "bracket", "hole-plate", "stepped-shaft", "flange", "washer", "bushing",
// "spacer-block", "pin", "hex-nut", "gear", "housing", "cover-plate".
Result<std::vector<NamedShape>> SampleParts();

// A sample product structure with a subassembly and a part used twice:
// "drive-unit" holds "housing", "cover-plate" on top of it, two "pin"s, and
// "shaft-set" (subassembly of "stepped-shaft", "bushing", "gear").
Result<ProductNode> SampleAssembly();

}  // namespace korrin::standin
