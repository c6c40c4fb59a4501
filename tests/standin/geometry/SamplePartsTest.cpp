#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <gp_Quaternion.hxx>

#include "GeometryExpectations.h"
#include "geometry/GeometryFailure.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeMeasures.h"
#include "geometry/ShapeText.h"

namespace korrin::standin {
namespace {

// Volumes from the sizes by hand: solids built from boxes and cylinders are
// exact up to Open CASCADE's integration, well inside this.
constexpr double kVolumeTolerance = 1e-6;  // relative
constexpr double kBoxTolerance = 1e-6;     // millimetres

double Disc(double diameter, double height) { return M_PI * diameter * diameter / 4 * height; }

double BracketVolume(const BracketSize& s) {
  const double plates = s.width * s.baseLength * s.thickness + s.width * s.thickness * (s.uprightHeight - s.thickness);
  const double fillet = (1 - M_PI / 4) * s.filletRadius * s.filletRadius * s.width;
  return plates + fillet - 3 * Disc(s.holeDiameter, s.thickness);
}

double ShaftVolume(const ShaftSize& s) {
  const double radius = s.middleDiameter / 2;
  const double halfWidth = s.keywayWidth / 2;
  // The keyway's cross-section: under the circle, above the key's floor.
  const double underArc =
      halfWidth * std::sqrt(radius * radius - halfWidth * halfWidth) + radius * radius * std::asin(halfWidth / radius);
  const double keyway = (underArc - (radius - s.keywayDepth) * s.keywayWidth) * s.keywayLength;
  const double groove = Disc(s.endDiameter, s.grooveWidth) - Disc(s.endDiameter - 2 * s.grooveDepth, s.grooveWidth);
  return 2 * Disc(s.endDiameter, s.endLength) + Disc(s.middleDiameter, s.middleLength) - keyway - groove;
}

double FlangeVolume(const FlangeSize& s) {
  return Disc(s.discDiameter, s.discThickness) + Disc(s.hubDiameter, s.hubHeight) -
         Disc(s.boreDiameter, s.discThickness + s.hubHeight) - s.boltCount * Disc(s.boltHoleDiameter, s.discThickness);
}

double PinVolume(const PinSize& s) {
  const double radius = s.diameter / 2;
  const double inner = radius - s.chamfer;
  const double cone = M_PI * s.chamfer / 3 * (radius * radius + radius * inner + inner * inner);
  return Disc(s.diameter, s.length) - 2 * (Disc(s.diameter, s.chamfer) - cone);
}

double CoverVolume(const CoverPlateSize& s) {
  const double corners = 4 * (1 - M_PI / 4) * s.cornerRadius * s.cornerRadius * s.thickness;
  return s.length * s.width * s.thickness - corners - 4 * Disc(s.screwHoleDiameter, s.thickness) -
         Disc(s.openingDiameter, s.thickness);
}

struct ExactPart {
  const char* name;
  std::function<Result<TopoDS_Shape>()> build;
  double volume;
  BoundingBox box;
  int faces;  // -1 where the count follows from Open CASCADE's splitting, not the design
};

std::vector<ExactPart> ExactParts() {
  const BracketSize bracket;
  const HolePlateSize plate;
  const ShaftSize shaft;
  const FlangeSize flange;
  const WasherSize washer;
  const BushingSize bushing;
  const SpacerBlockSize block;
  const PinSize pin;
  const HousingSize housing;
  const CoverPlateSize cover;
  const double bushingSleeve = bushing.length - bushing.collarThickness;
  return {
      {"bracket", [] { return MakeBracket(); }, BracketVolume(bracket), {0, 0, 0, 40, 60, 50}, -1},
      {"hole-plate",
       [] { return MakeHolePlate(); },
       plate.length * plate.width * plate.thickness - 6 * Disc(plate.holeDiameter, plate.thickness),
       {-50, -30, 0, 50, 30, 8},
       6 + 6},
      {"stepped-shaft", [] { return MakeSteppedShaft(); }, ShaftVolume(shaft), {-15, -15, 0, 15, 15, 140}, -1},
      {"flange", [] { return MakeFlange(); }, FlangeVolume(flange), {-60, -60, 0, 60, 60, 37}, 6 + 6},
      {"washer",
       [] { return MakeWasher(); },
       Disc(washer.outerDiameter, washer.thickness) - Disc(washer.innerDiameter, washer.thickness),
       {-12, -12, 0, 12, 12, 2.5},
       4},
      {"bushing",
       [] { return MakeBushing(); },
       Disc(bushing.outerDiameter, bushingSleeve) + Disc(bushing.collarDiameter, bushing.collarThickness) -
           Disc(bushing.innerDiameter, bushing.length),
       {-20, -20, 0, 20, 20, 25},
       6},
      {"spacer-block",
       [] { return MakeSpacerBlock(); },
       block.length * block.width * block.height - 4 * block.chamfer * block.chamfer / 2 * block.height -
           Disc(block.holeDiameter, block.height),
       {-20, -15, 0, 20, 15, 20},
       4 + 4 + 2 + 1},
      {"pin", [] { return MakePin(); }, PinVolume(pin), {-4, -4, 0, 4, 4, 40}, 5},
      {"housing",
       [] { return MakeHousing(); },
       housing.length * housing.width * housing.height - (housing.length - 2 * housing.wallThickness) *
                                                             (housing.width - 2 * housing.wallThickness) *
                                                             (housing.height - housing.wallThickness),
       {-40, -30, 0, 40, 30, 40},
       5 + 5 + 1},
      {"cover-plate", [] { return MakeCoverPlate(); }, CoverVolume(cover), {-40, -30, 0, 40, 30, 4}, 6 + 4 + 4 + 1},
  };
}

ShapeMeasures BuiltMeasures(const Result<TopoDS_Shape>& shape, const std::string& name) {
  EXPECT_TRUE(shape.ok()) << name << ": " << (shape ? "" : shape.failure().description);
  return shape ? testing::MeasuresOf(shape.value(), name) : ShapeMeasures{};
}

TEST(SampleParts, VolumesBoxesAndFacesFollowFromTheirSizes) {
  for (const ExactPart& part : ExactParts()) {
    const ShapeMeasures measures = BuiltMeasures(part.build(), part.name);
    EXPECT_EQ(measures.solidCount, 1) << part.name;
    EXPECT_NEAR(measures.volume, part.volume, part.volume * kVolumeTolerance) << part.name;
    testing::ExpectBoxNear(measures.box, part.box, kBoxTolerance, part.name);
    if (part.faces >= 0) {
      EXPECT_EQ(measures.faceCount, part.faces) << part.name;
    }
  }
}

TEST(SampleParts, GearHasFourFacesATeethBetweenItsCircles) {
  const GearSize gear;
  const ShapeMeasures measures = BuiltMeasures(MakeGear(), "gear");
  EXPECT_EQ(measures.faceCount, 4 * gear.toothCount + 3);  // flanks, tips, lands; two ends and the bore
  // The outline lies between the tip circle and the circle inside the root
  // lands, which span less than a tooth pitch each.
  const double bore = Disc(gear.boreDiameter, gear.width);
  const double insideLands = gear.rootDiameter * std::cos(M_PI / gear.toothCount);
  EXPECT_GT(measures.volume, Disc(insideLands, gear.width) - bore);
  EXPECT_LT(measures.volume, Disc(gear.tipDiameter, gear.width) - bore);
  // The first tooth's tip straddles the X axis.
  EXPECT_LT(measures.box.xMax, gear.tipDiameter / 2);
  EXPECT_GT(measures.box.xMax, gear.tipDiameter / 2 * std::cos(M_PI / gear.toothCount));
  EXPECT_NEAR(measures.box.zMax, gear.width, kBoxTolerance);
}

TEST(SampleParts, HexNutLiesBetweenItsInnerCircleAndItsPrism) {
  const HexNutSize nut;
  const ShapeMeasures measures = BuiltMeasures(MakeHexNut(), "hex-nut");
  const double prism = std::sqrt(3.0) / 2 * nut.acrossFlats * nut.acrossFlats * nut.height;
  const double bore = Disc(nut.boreDiameter, nut.height);
  EXPECT_LT(measures.volume, prism - bore);
  EXPECT_GT(measures.volume, Disc(nut.acrossFlats, nut.height) - bore);
  // Corners on the X axis, flats across Y; the bevels leave the corners full
  // height at mid-height.
  const double corner = nut.acrossFlats / std::sqrt(3.0);
  const double flat = nut.acrossFlats / 2;
  testing::ExpectBoxNear(measures.box, {-corner, -flat, 0, corner, flat, nut.height}, kBoxTolerance, "hex-nut");
}

TEST(SampleParts, ListHoldsTheTwelveNamedPartsInOrder) {
  const Result<std::vector<NamedShape>> parts = SampleParts();
  ASSERT_TRUE(parts.ok()) << parts.failure().description;
  std::vector<std::string> names;
  for (const NamedShape& part : parts.value()) {
    names.push_back(part.name);
    EXPECT_EQ(testing::MeasuresOf(part.shape, part.name).solidCount, 1) << part.name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"bracket", "hole-plate", "stepped-shaft", "flange", "washer", "bushing",
                                             "spacer-block", "pin", "hex-nut", "gear", "housing", "cover-plate"}));
}

TEST(SampleParts, SameSizesGiveTheSameText) {
  const Result<TopoDS_Shape> first = MakeBracket();
  const Result<TopoDS_Shape> second = MakeBracket();
  ASSERT_TRUE(first.ok() && second.ok());
  EXPECT_EQ(BrepText(first.value()), BrepText(second.value()));
}

TEST(SampleParts, SizesThatLeaveNoSolidAreRefusedByName) {
  struct Case {
    const char* what;
    std::function<Result<TopoDS_Shape>()> build;
    const char* description;
  };
  const std::vector<Case> cases{
      {"washer hole too wide",
       [] {
         return MakeWasher({10, 12, 2});
       },
       "cannot build the washer: the hole must be narrower than the washer"},
      {"negative thickness",
       [] {
         return MakeWasher({24, 13, -1});
       },
       "cannot build the washer: thickness must be above zero"},
      {"no hole columns",
       [] {
         return MakeHolePlate({100, 60, 8, 0, 2, 30, 8});
       },
       "cannot build the hole plate: hole columns must be above zero"},
      {"chamfers longer than the pin",
       [] {
         return MakePin({8, 1, 0.8});
       },
       "cannot build the pin: the chamfers must be smaller than the pin"},
      {"root outside the tip",
       [] {
         return MakeGear({20, 30, 35, 10, 10});
       },
       "cannot build the gear: the root circle must lie inside the tip circle"},
      {"walls fill the housing",
       [] {
         return MakeHousing({80, 60, 40, 30});
       },
       "cannot build the housing: the walls leave no room inside"},
      {"keyway longer than the middle",
       [] {
         return MakeSteppedShaft({20, 40, 30, 60, 8, 4, 70, 1.3, 1, 5});
       },
       "cannot build the stepped shaft: the keyway must fit inside the middle section"},
      {"fillet wider than the bracket's base",
       [] {
         return MakeBracket({40, 60, 50, 6, 6.6, 80});
       },
       "building the bracket failed: StdFail_NotDone"},
  };
  for (const Case& c : cases) {
    const Result<TopoDS_Shape> shape = c.build();
    ASSERT_FALSE(shape.ok()) << c.what;
    EXPECT_EQ(shape.failure().number, kGeometryFailed) << c.what;
    EXPECT_EQ(shape.failure().description.rfind(c.description, 0), 0u) << c.what << ": " << shape.failure().description;
  }
}

TEST(SampleAssembly, HoldsTheDriveUnitWithItsShaftSet) {
  const Result<ProductNode> assembly = SampleAssembly();
  ASSERT_TRUE(assembly.ok()) << assembly.failure().description;
  const ProductNode& unit = assembly.value();
  EXPECT_EQ(unit.name, "drive-unit");
  std::vector<std::string> names;
  for (const ProductNode& child : unit.children) names.push_back(child.name);
  EXPECT_EQ(names, (std::vector<std::string>{"housing", "cover-plate", "pin", "pin", "shaft-set"}));
  EXPECT_TRUE(unit.children[2].shape.IsSame(unit.children[3].shape)) << "the pin is one part placed twice";
  EXPECT_DOUBLE_EQ(unit.children[1].placement.TranslationPart().Z(), 40);
  const ProductNode& shaftSet = unit.children[4];
  ASSERT_TRUE(shaftSet.IsAssembly());
  ASSERT_EQ(shaftSet.children.size(), 3u);
  EXPECT_EQ(shaftSet.children[2].name, "gear");
  gp_Vec axis;
  double angle = 0;
  shaftSet.children[2].placement.GetRotation().GetVectorAndAngle(axis, angle);
  EXPECT_NEAR(angle, M_PI / 20, 1e-12);
  EXPECT_DOUBLE_EQ(shaftSet.children[2].placement.TranslationPart().Z(), 115);
}

}  // namespace
}  // namespace korrin::standin
