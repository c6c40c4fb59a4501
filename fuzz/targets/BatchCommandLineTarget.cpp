// korrin-batch's command line: the bytes split at NUL into arguments.
#include <cstdint>
#include <string_view>

#include "FuzzInput.h"
#include "app/BatchCommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const BatchCommandLine line = ParseBatchCommandLine(SplitAtNul(InputBytes(data, size)));
  Require(line.request.has_value() || !line.message.empty(), "a command line without a request says why");
  if (line.request) Require(line.exitStatus == 0, "a request ends with no error status");
  if (line.exitStatus == kUsageErrorStatus) {
    const std::string_view message = line.message;
    Require(message.starts_with("korrin-batch: ") &&
                message.ends_with("\nTry 'korrin-batch --help' for more information.\n"),
            "a usage error names the program and points at the help");
  } else {
    Require(line.exitStatus == 0, "a command line ends with no status but 0 or the usage error's");
  }
  return 0;
}
