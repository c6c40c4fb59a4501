#include "host/FileExists.h"

#include <filesystem>
#include <system_error>

#include "settings/PathConversion.h"

namespace korrin {

bool FileExists(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(PathFromText(path), error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace korrin
