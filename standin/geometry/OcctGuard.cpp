#include "geometry/OcctGuard.h"

namespace korrin::standin {

Failure OcctFailure(std::string_view step, const Standard_Failure& failure) {
  std::string description = std::string(step) + " failed: " + failure.DynamicType()->Name();
  const char* message = failure.GetMessageString();
  if (message != nullptr && *message != '\0') description += std::string(": ") + message;
  return {kGeometryFailed, description};
}

Failure OcctFailure(std::string_view step, const std::exception& failure) {
  return {kGeometryFailed, std::string(step) + " failed: " + failure.what()};
}

}  // namespace korrin::standin
