#include "engine/SourceFile.h"

#include <filesystem>
#include <system_error>

#include "settings/PathConversion.h"
#include "settings/TextFile.h"

namespace korrin {

std::string SourceFileProblem(const std::string& entry) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(PathFromText(entry), error);
  // A missing file is a status of its own; any other error (a folder on the
  // way that may not be searched) is the system's reason.
  if (error && status.type() != std::filesystem::file_type::not_found) return error.message();
  const Status regular = RegularFileStatus(status.type());
  return regular ? std::string() : regular.failure().description;
}

}  // namespace korrin
