#include "host/ChannelFailures.h"

#include "host/SecondsText.h"

namespace korrin::host {

Failure CallTimedOut(std::chrono::milliseconds deadline) {
  return {kCallTimedOut, "The host did not answer within " + SecondsText(deadline) + " s"};
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

Failure ServerBusy() { return {kServerBusy, "The host serves another client."}; }

}  // namespace korrin::host
