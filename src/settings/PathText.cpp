#include "settings/PathText.h"

#include "settings/TextCase.h"

namespace korrin {

std::string WithTrailingBackslash(std::string_view text, char separator) {
  std::string result(text);
  if (result.empty() || result.back() != separator) result += separator;
  return result;
}

std::string FolderOfPath(std::string_view path, char separator) {
  const std::size_t last = path.rfind(separator);
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string FileNameOfPath(std::string_view path, char separator) {
  const std::size_t last = path.rfind(separator);
  if (last == std::string_view::npos) return std::string(path);
  return std::string(path.substr(last + 1));
}

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  if (folder.empty()) return std::string(name);
  return WithTrailingBackslash(folder, separator) + std::string(name);
}

bool IsFullPath(std::string_view path, char separator) {
  if (separator != '\\') return !path.empty() && path.front() == separator;
  if (path.size() >= 3 && path.substr(1, 2) == ":\\") return true;
  return path.size() > 2 && path.substr(0, 2) == "\\\\" && path.substr(2).find('\\') != std::string_view::npos;
}

bool SamePath(std::string_view a, std::string_view b, FileNameCase names) {
  return names == FileNameCase::Ignored ? EqualsIgnoringCase(a, b) : a == b;
}

std::string PathKey(std::string_view path, FileNameCase names) {
  return names == FileNameCase::Ignored ? ToUpperAscii(path) : std::string(path);
}

}  // namespace korrin
