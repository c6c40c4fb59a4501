#include "host/ChannelFailures.h"

#include <cstdio>

namespace korrin::host {

namespace {

// Whole seconds as "30"; a deadline below a whole second keeps its tenths
// ("0.5"), so a short test deadline does not read as "0 s".
std::string Seconds(std::chrono::milliseconds deadline) {
  const long long milliseconds = deadline.count();
  if (milliseconds % 1000 == 0) return std::to_string(milliseconds / 1000);
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(milliseconds) / 1000.0);
  return text;
}

}  // namespace

Failure CallTimedOut(std::chrono::milliseconds deadline) {
  return {kCallTimedOut, "The host did not answer within " + Seconds(deadline) + " s"};
}

Failure ServerUnavailable() { return {kServerUnavailable, "The RPC server is unavailable."}; }

Failure OperationUnavailable() { return {kOperationUnavailable, "Operation unavailable"}; }

Failure ObjectDisconnected() {
  return {kObjectDisconnected, "The object invoked has disconnected from its clients."};
}

Failure MemberNotFound() { return {kMemberNotFound, "Member not found."}; }

Failure TypeMismatch(const std::string& detail) { return {kTypeMismatch, "Type mismatch: " + detail}; }

Failure BadParameterCount() { return {kBadParameterCount, "Invalid number of parameters."}; }

Failure BadIndex() { return {kBadIndex, "Invalid index."}; }

Failure BadFrame(const std::string& detail) { return {kBadFrame, "The stub received bad data: " + detail}; }

}  // namespace korrin::host
