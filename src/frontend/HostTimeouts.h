#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/DispatchChannel.h"

namespace korrin {

// The two time limits on the host, in seconds: the calls that do work (open,
// save, export, print, quit) and every wait on the host's state; and every
// other call.
struct HostTimeouts {
  int hostSeconds = 600;
  int callSeconds = 30;

  host::CallDeadlines Deadlines() const;
};

inline constexpr int kLongestHostTimeout = 7 * 24 * 3600;
inline constexpr const char* kHostTimeoutVariable = "KORRIN_HOST_TIMEOUT";
inline constexpr const char* kCallTimeoutVariable = "KORRIN_CALL_TIMEOUT";

// A whole number of seconds from 1 to kLongestHostTimeout, written plainly.
std::optional<int> TimeoutSeconds(std::string_view text);

// "NAME needs a whole number of seconds from 1 to 604800: text".
std::string TimeoutProblem(std::string_view name, std::string_view text);

// The defaults changed by KORRIN_HOST_TIMEOUT and KORRIN_CALL_TIMEOUT where
// set; a problem names the variable that holds no such number.
struct HostTimeoutsRead {
  HostTimeouts timeouts;
  std::string problem;
};
HostTimeoutsRead HostTimeoutsFromEnvironment();

}  // namespace korrin
