#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/SystemPaths.h"
#include "settings/PathConversion.h"

namespace korrin::system_paths {
namespace {

std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii)); }

}  // namespace

std::filesystem::path ExecutablePath() {
  // The call truncates silently to the buffer, so grow it until the path fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), length));
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::string> EnvironmentText(const char* name) {
  const wchar_t* value = _wgetenv(Wide(name).c_str());
  if (value == nullptr) return std::nullopt;
  return TextFromPath(std::filesystem::path(value));
}

std::string FallbackTempFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) return "C:\\Windows\\Temp";
  return TextFromPath(folder);
}

}  // namespace korrin::system_paths
