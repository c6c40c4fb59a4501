#include "geometry/OcctGuard.h"

#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>

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

void KeepOcctQuiet() {
  static const bool quiet = [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    return true;
  }();
  (void)quiet;
}

}  // namespace korrin::standin
