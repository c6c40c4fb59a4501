// korrin-batch's command line: the bytes split at NUL into arguments.
#include <cstdint>

#include "FuzzInput.h"
#include "app/BatchCommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const BatchCommandLine line = ParseBatchCommandLine(SplitAtNul(InputBytes(data, size)));
  Require(line.request.has_value() || !line.message.empty(), "a command line without a request says why");
  if (line.request) Require(line.exitStatus == 0, "a request ends with no error status");
  return 0;
}
