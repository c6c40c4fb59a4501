#include "platform/ProgramFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace korrin {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string ProgramFolder() {
  if (std::string home = Environment("KORRIN_HOME"); !home.empty()) return home;
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  return executable.parent_path().string();
}

std::string AcadTemplateFolder() {
  std::string folder = Environment("KORRIN_ACAD_TEMPLATES");
  // A configured folder is a folder: the table puts file names right after it.
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string TempFolder() {
  for (const char* name : {"TEMP", "TMPDIR"}) {
    if (std::string folder = Environment(name); !folder.empty()) return folder;
  }
  return "/tmp";
}

}  // namespace korrin
