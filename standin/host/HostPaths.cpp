#include "HostPaths.h"

#include <filesystem>

#include "settings/TextCase.h"

namespace korrin::standin {

namespace fs = std::filesystem;

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
