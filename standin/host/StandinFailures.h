#pragma once

#include "ports/Result.h"

namespace korrin::standin {

// Failure numbers the stand-in host reports, as the host numbers them.
inline constexpr long kDisconnected = -2147417848;
inline constexpr long kUnspecifiedFailure = -2147467259;
inline constexpr long kInvalidArgument = -2147024809;
// What a caller sees when the host's process has ended, and when a call
// outlived its deadline.
inline constexpr long kServerUnavailable = -2147023174;
inline constexpr long kCallTimedOut = -2147417825;

inline Failure Disconnected() {
  return Failure{kDisconnected, "The object invoked has disconnected from its clients."};
}
inline Failure ServerUnavailable() { return Failure{kServerUnavailable, "The RPC server is unavailable."}; }
inline Failure Unspecified(std::string description) { return Failure{kUnspecifiedFailure, std::move(description)}; }
inline Failure InvalidArgument(std::string description) { return Failure{kInvalidArgument, std::move(description)}; }

}  // namespace korrin::standin
