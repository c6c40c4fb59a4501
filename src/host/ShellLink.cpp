#include "host/ShellLink.h"

#include <array>
#include <cstdint>

#include "settings/TextEncoding.h"

namespace korrin {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<unsigned char, 16> kLinkClassId = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                        0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kClassIdOffset = 4;
constexpr std::size_t kLinkFlagsOffset = 0x14;

// Link flags.
constexpr std::uint32_t kHasTargetIdList = 0x001;
constexpr std::uint32_t kHasLinkInfo = 0x002;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;

// Link info: field offsets from its start, its flag, and the header size
// from which the wide-character offsets are present.
constexpr std::size_t kInfoHeaderSizeField = 4;
constexpr std::size_t kInfoFlagsField = 8;
constexpr std::size_t kLocalBasePathField = 16;
constexpr std::size_t kCommonPathSuffixField = 28;
constexpr std::size_t kLocalBasePathWideField = 32;
constexpr std::size_t kCommonPathSuffixWideField = 36;
constexpr std::uint32_t kWideOffsetsHeaderSize = 0x24;
constexpr std::uint32_t kHasVolumeAndLocalBasePath = 0x1;

// Reads little-endian numbers and terminated strings inside one block,
// refusing anything that reaches past its end.
class Block {
 public:
  explicit Block(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::uint32_t> Number(std::size_t offset, std::size_t width) const {
    if (offset > bytes_.size() || bytes_.size() - offset < width) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
      value |= std::uint32_t{static_cast<unsigned char>(bytes_[offset + i])} << (8 * i);
    }
    return value;
  }

  std::optional<std::string> NarrowText(std::size_t offset) const {
    if (offset >= bytes_.size()) return std::nullopt;
    const std::size_t end = bytes_.find('\0', offset);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(bytes_.substr(offset, end - offset));
  }

  std::optional<std::string> WideText(std::size_t offset) const {
    for (std::size_t end = offset; end + 1 < bytes_.size(); end += 2) {
      if (bytes_[end] == '\0' && bytes_[end + 1] == '\0') return Utf16LeToUtf8(bytes_.substr(offset, end - offset));
    }
    return std::nullopt;
  }

  std::optional<Block> Sub(std::size_t offset, std::size_t size) const {
    if (offset > bytes_.size() || bytes_.size() - offset < size) return std::nullopt;
    return Block(bytes_.substr(offset, size));
  }

 private:
  std::string_view bytes_;
};

bool IsShellLink(const Block& file, std::string_view bytes) {
  if (file.Number(0, 4) != kHeaderSize || bytes.size() < kHeaderSize) return false;
  for (std::size_t i = 0; i < kLinkClassId.size(); ++i) {
    if (static_cast<unsigned char>(bytes[kClassIdOffset + i]) != kLinkClassId[i]) return false;
  }
  return true;
}

std::optional<std::string> LocalPathOfLinkInfo(const Block& info) {
  const auto headerSize = info.Number(kInfoHeaderSizeField, 4);
  const auto flags = info.Number(kInfoFlagsField, 4);
  if (!headerSize || !flags || (*flags & kHasVolumeAndLocalBasePath) == 0) return std::nullopt;
  if (*headerSize >= kWideOffsetsHeaderSize) {
    const auto base = info.Number(kLocalBasePathWideField, 4);
    const auto suffix = info.Number(kCommonPathSuffixWideField, 4);
    if (base && suffix && *base != 0) {
      const auto baseText = info.WideText(*base);
      const auto suffixText = *suffix != 0 ? info.WideText(*suffix) : std::optional<std::string>("");
      if (baseText && suffixText) return *baseText + *suffixText;
    }
  }
  const auto base = info.Number(kLocalBasePathField, 4);
  const auto suffix = info.Number(kCommonPathSuffixField, 4);
  if (!base || !suffix) return std::nullopt;
  const auto baseText = info.NarrowText(*base);
  const auto suffixText = info.NarrowText(*suffix);
  if (!baseText || !suffixText) return std::nullopt;
  return *baseText + *suffixText;
}

}  // namespace

std::optional<std::string> ShellLinkLocalTarget(std::string_view bytes) {
  const Block file(bytes);
  if (!IsShellLink(file, bytes)) return std::nullopt;
  const std::uint32_t flags = *file.Number(kLinkFlagsOffset, 4);
  std::size_t offset = kHeaderSize;
  if ((flags & kHasTargetIdList) != 0) {
    const auto idListSize = file.Number(offset, 2);
    if (!idListSize) return std::nullopt;
    offset += 2 + *idListSize;
  }
  if ((flags & kHasLinkInfo) == 0 || (flags & kForceNoLinkInfo) != 0) return std::nullopt;
  const auto infoSize = file.Number(offset, 4);
  if (!infoSize) return std::nullopt;
  const auto info = file.Sub(offset, *infoSize);
  if (!info) return std::nullopt;
  auto path = LocalPathOfLinkInfo(*info);
  if (!path || path->empty()) return std::nullopt;
  return path;
}

}  // namespace korrin
