#include "settings/PathConversion.h"

#include "settings/TextEncoding.h"

namespace korrin {

#ifdef _WIN32

// Through the wide native form and our own UTF-16 conversions, since the
// library's UTF-8 ones throw on bytes that are not UTF-8.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::filesystem::path PathFromText(std::string_view text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::filesystem::path(std::wstring(units.begin(), units.end()));
}

std::string TextFromPath(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

#else

// The system takes names as bytes, so the text passes through as it is.
std::filesystem::path PathFromText(std::string_view text) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string TextFromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

#endif

}  // namespace korrin
