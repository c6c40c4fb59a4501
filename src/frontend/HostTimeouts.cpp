#include "frontend/HostTimeouts.h"

#include <charconv>
#include <cstdlib>

namespace korrin {

host::CallDeadlines HostTimeouts::Deadlines() const {
  return {std::chrono::seconds(hostSeconds), std::chrono::seconds(callSeconds)};
}

std::optional<int> TimeoutSeconds(std::string_view text) {
  int seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (seconds < 1 || seconds > kLongestHostTimeout) return std::nullopt;
  return seconds;
}

std::string TimeoutProblem(std::string_view name, std::string_view text) {
  return std::string(name) + " needs a whole number of seconds from 1 to " + std::to_string(kLongestHostTimeout) +
         ": " + std::string(text);
}

HostTimeoutsRead HostTimeoutsFromEnvironment() {
  HostTimeoutsRead read;
  const std::pair<const char*, int*> variables[] = {{kHostTimeoutVariable, &read.timeouts.hostSeconds},
                                                    {kCallTimeoutVariable, &read.timeouts.callSeconds}};
  for (const auto& [name, seconds] : variables) {
    // Digits alone are taken, so the system's narrow reading serves.
    const char* text = std::getenv(name);
    if (text == nullptr) continue;
    const std::optional<int> value = TimeoutSeconds(text);
    if (!value) {
      read.problem = TimeoutProblem(name, text);
      return read;
    }
    *seconds = *value;
  }
  return read;
}

}  // namespace korrin
