// A part's geometry block read into a shape, as the host opens a part: the
// reading must end in a shape or a failure. Open CASCADE runs in the host's
// process; where it crashes itself, ./run fuzz keeps the input apart.
#include <cstdint>

#include "FuzzInput.h"
#include "documents/StandinDocumentReader.h"
#include "geometry/OcctGuard.h"
#include "geometry/ShapeText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  static const bool quiet = (standin::KeepOcctQuiet(), true);
  (void)quiet;
  const Result<standin::StandinDocument> document = standin::ParseStandinDocument(InputBytes(data, size));
  if (!document) {
    Require(!document.failure().description.empty(), "a failed parse says why");
    return 0;
  }
  if (document.value().geometry.empty()) return 0;
  const Result<TopoDS_Shape> shape = standin::ShapeFromBrepText(document.value().geometry);
  if (!shape) Require(!shape.failure().description.empty(), "a damaged geometry block says why");
  return 0;
}
