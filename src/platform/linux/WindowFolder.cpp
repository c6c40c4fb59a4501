#include "platform/linux/WindowFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

constexpr mode_t kUserOnly = 0700;
constexpr mode_t kGroupAndOtherRights = 0077;
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr unsigned kHexDigitBits = 4;
constexpr unsigned kLowHexDigit = 0xF;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool IsUsableRuntimeFolder(const std::string& folder) {
  struct stat status {};
  return !folder.empty() && folder.front() == '/' && ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsPlainFileNameByte(char c, bool first) {
  const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  return letterOrDigit || c == ' ' || c == '_' || c == '-' || (c == '.' && !first);
}

}  // namespace

std::string WindowFolderPath() {
  if (std::string folder = Environment("KORRIN_WINDOWS"); !folder.empty()) return folder;
  if (std::string runtime = Environment("XDG_RUNTIME_DIR"); IsUsableRuntimeFolder(runtime)) {
    return runtime + "/korrin-windows";
  }
  return "/tmp/korrin-windows-" + std::to_string(::geteuid());
}

Status CheckWindowFolder(const std::string& folder) {
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0) return SystemFailure(errno);
  if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() || (status.st_mode & kGroupAndOtherRights) != 0) {
    return Failure{EACCES, folder + " is not a folder for this user alone"};
  }
  return {};
}

Status PrepareWindowFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), kUserOnly) != 0 && errno != EEXIST) return SystemFailure(errno);
  return CheckWindowFolder(folder);
}

std::string WindowSocketPath(const std::string& folder, std::string_view title) {
  std::string path = folder + "/";
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char c = title[i];
    if (IsPlainFileNameByte(c, i == 0)) {
      path += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    path += '%';
    path += kHexDigits[byte >> kHexDigitBits];
    path += kHexDigits[byte & kLowHexDigit];
  }
  return path;
}

}  // namespace korrin
