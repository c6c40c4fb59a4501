#include "platform/linux/SystemFailure.h"

#include <system_error>

namespace korrin {

Failure SystemFailure(int errorNumber) {
  // The system category's text is strerror's, without strerror's shared buffer.
  return {errorNumber, std::system_category().message(errorNumber)};
}

}  // namespace korrin
