#pragma once

#include <chrono>
#include <thread>

namespace korrin::testing {

// Long enough for a loaded machine to start a program; a test that needs it
// fails with its own message.
inline constexpr std::chrono::seconds kPatience{20};
inline constexpr std::chrono::milliseconds kPollInterval{10};

// Polls the condition until it holds or the patience runs out; true when it
// held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds patience = kPatience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

}  // namespace korrin::testing
