#include <cstdlib>
#include <system_error>

#include "platform/SystemPaths.h"

namespace korrin::system_paths {

std::filesystem::path ExecutablePath() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable;
}

std::optional<std::string> EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string FallbackTempFolder() { return "/tmp"; }

}  // namespace korrin::system_paths
