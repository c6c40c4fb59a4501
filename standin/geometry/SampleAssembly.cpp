#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>

#include "geometry/SampleParts.h"

namespace korrin::standin {
namespace {

// Where the parts sit, in millimetres: the cover on the housing's rim, the
// pins beside the housing, the shaft set on the housing's floor, the bushing
// at the shaft's foot and the gear on its upper journal, turned by half a
// tooth pitch.
constexpr double kCoverHeight = HousingSize{}.height;
constexpr double kPinOffset = HousingSize{}.length / 2 + 10;
constexpr double kShaftSetHeight = HousingSize{}.wallThickness;
constexpr double kGearHeight = 2 * ShaftSize{}.endLength + ShaftSize{}.middleLength - GearSize{}.width - 15;
constexpr double kGearTurn = M_PI / GearSize{}.toothCount;

gp_Trsf Moved(double x, double y, double z) {
  gp_Trsf placement;
  placement.SetTranslation(gp_Vec(x, y, z));
  return placement;
}

gp_Trsf TurnedAndMoved(double angle, double z) {
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), angle);
  return Moved(0, 0, z) * turn;
}

}  // namespace

Result<ProductNode> SampleAssembly() {
  const Result<TopoDS_Shape> housing = MakeHousing();
  const Result<TopoDS_Shape> cover = MakeCoverPlate();
  const Result<TopoDS_Shape> pin = MakePin();
  const Result<TopoDS_Shape> shaft = MakeSteppedShaft();
  const Result<TopoDS_Shape> bushing = MakeBushing();
  const Result<TopoDS_Shape> gear = MakeGear();
  for (const Result<TopoDS_Shape>* part : {&housing, &cover, &pin, &shaft, &bushing, &gear}) {
    if (!*part) return part->failure();
  }
  ProductNode shaftSet =
      Assembly("shaft-set",
               {PlacedPart({"stepped-shaft", shaft.value()}), PlacedPart({"bushing", bushing.value()}),
                PlacedPart({"gear", gear.value()}, TurnedAndMoved(kGearTurn, kGearHeight))},
               Moved(0, 0, kShaftSetHeight));
  return Assembly("drive-unit", {PlacedPart({"housing", housing.value()}),
                                 PlacedPart({"cover-plate", cover.value()}, Moved(0, 0, kCoverHeight)),
                                 PlacedPart({"pin", pin.value()}, Moved(-kPinOffset, 0, 0)),
                                 PlacedPart({"pin", pin.value()}, Moved(kPinOffset, 0, 0)), std::move(shaftSet)});
}

}  // namespace korrin::standin
