// The stand-in host's DXF reader: any bytes read as a DXF file, which must
// end in its layouts or a failure that says why, and never in a layout
// without a size.
#include <cmath>
#include <cstdint>

#include "DxfFile.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  const Result<standin::DxfFileRead> read = standin::ParseDxf(fuzz::InputBytes(data, size));
  if (!read) {
    fuzz::Require(!read.failure().description.empty(), "a failed read says why");
    return 0;
  }
  fuzz::Require(!read.value().layouts.empty(), "a file read gives a sheet at least");
  for (const standin::DxfLayoutRead& layout : read.value().layouts) {
    fuzz::Require(layout.width > 0 && layout.height > 0 && std::isfinite(layout.width) && std::isfinite(layout.height),
                  "every layout has a size");
  }
  return 0;
}
