#include "platform/ProgramFolders.h"

#include <filesystem>
#include <system_error>

#include "platform/SystemPaths.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"

namespace korrin {
namespace {

std::string Environment(const char* name) { return system_paths::EnvironmentText(name).value_or(""); }

}  // namespace

std::string ProgramFolder() {
  if (std::string home = Environment("KORRIN_HOME"); !home.empty()) return home;
  const std::filesystem::path executable = system_paths::ExecutablePath();
  if (executable.empty()) {
    std::error_code error;
    return TextFromPath(std::filesystem::current_path(error));
  }
  return TextFromPath(executable.parent_path());
}

std::string AcadTemplateFolder() {
  std::string folder = Environment("KORRIN_ACAD_TEMPLATES");
  // A configured folder is a folder: the table puts file names right after it.
  if (!folder.empty() && folder.back() != '/' && folder.back() != kNativeSeparator) folder += kNativeSeparator;
  return folder;
}

std::string TempFolder() {
  for (const char* name : system_paths::kTempVariables) {
    if (std::string folder = Environment(name); !folder.empty()) return folder;
  }
  return system_paths::FallbackTempFolder();
}

}  // namespace korrin
