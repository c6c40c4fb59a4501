#include "platform/linux/WindowFolder.h"

#include "platform/linux/PrivateFolder.h"

namespace korrin {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr unsigned kHexDigitBits = 4;
constexpr unsigned kLowHexDigit = 0xF;

bool IsPlainFileNameByte(char c, bool first) {
  const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  return letterOrDigit || c == ' ' || c == '_' || c == '-' || (c == '.' && !first);
}

}  // namespace

std::string WindowFolderPath() { return PrivateFolderPath("KORRIN_WINDOWS", "korrin-windows"); }

std::string WindowSocketPath(const std::string& folder, std::string_view title) {
  std::string path = folder + "/";
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char c = title[i];
    if (IsPlainFileNameByte(c, i == 0)) {
      path += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    path += '%';
    path += kHexDigits[byte >> kHexDigitBits];
    path += kHexDigits[byte & kLowHexDigit];
  }
  return path;
}

}  // namespace korrin
