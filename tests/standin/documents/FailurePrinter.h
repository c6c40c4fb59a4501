#pragma once

#include <ostream>

#include "ports/Result.h"

namespace korrin {

// Lets a failed comparison of failures show their number and text instead
// of their bytes.
inline void PrintTo(const Failure& failure, std::ostream* out) {
  *out << "{" << failure.number << ", \"" << failure.description << "\"}";
}

}  // namespace korrin
