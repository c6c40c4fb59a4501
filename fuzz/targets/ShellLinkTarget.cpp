// Shell link files dropped on the list: any bytes read for their local target.
#include <cstdint>

#include "FuzzInput.h"
#include "host/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  const std::optional<std::string> target = ShellLinkLocalTarget(fuzz::InputBytes(data, size));
  fuzz::Require(!target || target->find('\0') == std::string::npos, "a target path holds no NUL");
  return 0;
}
