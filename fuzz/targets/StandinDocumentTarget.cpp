// The stand-in host's documents: any bytes parsed as a document, which must
// end in a document or a failure that says why. The geometry block stays
// text here; StandinGeometryTarget.cpp reads it.
#include <cstdint>

#include "FuzzInput.h"
#include "documents/StandinDocumentReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  const Result<standin::StandinDocument> document = standin::ParseStandinDocument(fuzz::InputBytes(data, size));
  if (!document) fuzz::Require(!document.failure().description.empty(), "a failed parse says why");
  return 0;
}
