#include "platform/linux/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

constexpr mode_t kUserOnly = 0700;
constexpr mode_t kGroupAndOtherRights = 0077;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool IsUsableRuntimeFolder(const std::string& folder) {
  struct stat status {};
  return !folder.empty() && folder.front() == '/' && ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string PrivateFolderPath(const char* overrideVariable, std::string_view name) {
  if (std::string folder = Environment(overrideVariable); !folder.empty()) return folder;
  if (std::string runtime = Environment("XDG_RUNTIME_DIR"); IsUsableRuntimeFolder(runtime)) {
    return runtime + "/" + std::string(name);
  }
  return "/tmp/" + std::string(name) + "-" + std::to_string(::geteuid());
}

Status CheckPrivateFolder(const std::string& folder) {
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0) return SystemFailure(errno);
  if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() || (status.st_mode & kGroupAndOtherRights) != 0) {
    return Failure{EACCES, folder + " is not a folder for this user alone"};
  }
  return {};
}

Status PreparePrivateFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), kUserOnly) != 0 && errno != EEXIST) return SystemFailure(errno);
  return CheckPrivateFolder(folder);
}

}  // namespace korrin
