#include "geometry/SampleParts.h"

#include <functional>
#include <string>
#include <utility>

namespace korrin::standin {
namespace {

struct SamplePart {
  const char* name;
  std::function<Result<TopoDS_Shape>()> build;
};

const std::vector<SamplePart>& SampleCatalogue() {
  static const std::vector<SamplePart> catalogue{
      {"bracket", [] { return MakeBracket(); }},
      {"hole-plate", [] { return MakeHolePlate(); }},
      {"stepped-shaft", [] { return MakeSteppedShaft(); }},
      {"flange", [] { return MakeFlange(); }},
      {"washer", [] { return MakeWasher(); }},
      {"bushing", [] { return MakeBushing(); }},
      {"spacer-block", [] { return MakeSpacerBlock(); }},
      {"pin", [] { return MakePin(); }},
      {"hex-nut", [] { return MakeHexNut(); }},
      {"gear", [] { return MakeGear(); }},
      {"housing", [] { return MakeHousing(); }},
      {"cover-plate", [] { return MakeCoverPlate(); }},
  };
  return catalogue;
}

}  // namespace

Result<std::vector<NamedShape>> SampleParts() {
  std::vector<NamedShape> parts;
  for (const SamplePart& sample : SampleCatalogue()) {
    Result<TopoDS_Shape> shape = sample.build();
    if (!shape) return shape.failure();
    parts.push_back({sample.name, std::move(shape).value()});
  }
  return parts;
}

}  // namespace korrin::standin
