#include "host/SecondsText.h"

#include <cstdio>

namespace korrin::host {

std::string SecondsText(std::chrono::milliseconds deadline) {
  const long long milliseconds = deadline.count();
  if (milliseconds % 1000 == 0) return std::to_string(milliseconds / 1000);
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(milliseconds) / 1000.0);
  return text;
}

}  // namespace korrin::host
