#include "HostPaths.h"

#include <filesystem>
#include <system_error>

#include "settings/TextCase.h"

namespace korrin::standin {

namespace fs = std::filesystem;

std::string PathIgnoringCase(const std::string& path) {
  std::error_code error;
  if (path.empty() || fs::exists(path, error)) return path;
  const fs::path wanted(path);
  fs::path found = wanted.root_path();
  for (const fs::path& level : wanted.relative_path()) {
    fs::path next = found / level;
    if (!fs::exists(next, error)) {
      bool matched = false;
      // Stepped by hand with an error code: a folder that cannot be listed
      // ends the search instead of throwing.
      for (fs::directory_iterator entry(found.empty() ? "." : found, error); !error && entry != fs::directory_iterator();
           entry.increment(error)) {
        if (EqualsIgnoringCase(entry->path().filename().string(), level.string())) {
          next = found / entry->path().filename();
          matched = true;
          break;
        }
      }
      if (!matched) return path;
    }
    found = std::move(next);
  }
  return found.string();
}

std::string UpperExtension(const std::string& path) {
  const std::string extension = fs::path(path).extension().string();
  return extension.empty() ? "" : ToUpperAscii(extension.substr(1));
}

std::string FileStem(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  return name.substr(0, name.find('.'));
}

std::string FolderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

std::string ResolvedReference(const std::string& folder, const std::string& reference) {
  return (fs::path(folder) / reference).lexically_normal().string();
}

std::string RebasedReference(const std::string& reference, const std::string& fromFolder,
                             const std::string& toFolder) {
  const fs::path target = fs::path(ResolvedReference(fromFolder, reference));
  const fs::path relative = target.lexically_relative(fs::path(toFolder).lexically_normal());
  return relative.empty() ? target.generic_string() : relative.generic_string();
}

}  // namespace korrin::standin
