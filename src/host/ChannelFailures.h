#pragma once

#include <chrono>
#include <string>

#include "ports/Result.h"

namespace korrin::host {

// The numbers an automation client sees, so callers test the same failures
// whichever transport serves the host.
inline constexpr long kCallTimedOut = -2147417825;          // the call's deadline passed
inline constexpr long kServerUnavailable = -2147023174;     // the host process is gone
inline constexpr long kOperationUnavailable = -2147221021;  // no running host to connect to
inline constexpr long kObjectDisconnected = -2147417848;    // a handle the host does not know
inline constexpr long kMemberNotFound = -2147352573;        // a member the object does not have
inline constexpr long kTypeMismatch = -2147352571;          // an argument or result of the wrong kind
inline constexpr long kBadParameterCount = -2147352562;     // too few or too many arguments
inline constexpr long kBadIndex = -2147352565;              // an item number outside its collection
inline constexpr long kBadFrame = -2147023105;              // a frame that cannot be read
inline constexpr long kServerBusy = -2147417846;            // the host serves another client
inline constexpr long kUnspecifiedFailure = -2147467259;    // a call that failed for no reason of the above
// The host program could not be started, or it ended or stayed silent
// before it said it was ready.
inline constexpr long kServerExecutionFailed = -2146959355;

// "The host did not answer within 30 s".
Failure CallTimedOut(std::chrono::milliseconds deadline);
Failure ServerUnavailable();
Failure OperationUnavailable();
Failure ObjectDisconnected();
Failure MemberNotFound();
Failure TypeMismatch(const std::string& detail);
Failure BadParameterCount();
Failure BadIndex();
Failure BadFrame(const std::string& detail);
Failure ServerBusy();

}  // namespace korrin::host
