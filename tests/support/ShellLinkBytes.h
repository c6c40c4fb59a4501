#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korrin::testing {

// Shell link files (".lnk") as tests need them, byte by byte.

inline void Put(std::string& bytes, std::size_t offset, std::uint32_t value, std::size_t width) {
  if (bytes.size() < offset + width) bytes.resize(offset + width, '\0');
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::string Wide(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text + u'\0') {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

struct LinkParts {
  std::string localBase;
  std::string suffix;
  std::u16string wideBase;  // written with wide offsets when not empty
  bool withIdList = false;
};

// A shell link as the system's shell writes one: header, optional item ID
// list, then the link info with a volume ID and the path strings.
inline std::string MakeLink(const LinkParts& parts) {
  using namespace std::string_literals;
  std::string link;
  Put(link, 0, 0x4C, 4);
  const std::string classId = "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46"s;
  link.replace(4, 16, classId);
  Put(link, 0x14, 0x02 | (parts.withIdList ? 0x01 : 0) | 0x80, 4);
  Put(link, 0x4B, 0, 1);
  if (parts.withIdList) {
    Put(link, link.size(), 6, 2);
    link += "\x04\x00\xAA\xBB\x00\x00"s;
  }
  const bool wide = !parts.wideBase.empty();
  const std::uint32_t headerSize = wide ? 0x24 : 0x1C;
  std::string info(headerSize, '\0');
  const std::string volume = "\x10\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x10\x00\x00\x00"s;
  Put(info, 12, static_cast<std::uint32_t>(info.size()), 4);
  info += volume;
  Put(info, 16, static_cast<std::uint32_t>(info.size()), 4);
  info += parts.localBase + '\0';
  Put(info, 28, static_cast<std::uint32_t>(info.size()), 4);
  info += parts.suffix + '\0';
  if (wide) {
    Put(info, 32, static_cast<std::uint32_t>(info.size()), 4);
    info += Wide(parts.wideBase);
    Put(info, 36, static_cast<std::uint32_t>(info.size()), 4);
    info += Wide(u"");
  }
  Put(info, 0, static_cast<std::uint32_t>(info.size()), 4);
  Put(info, 4, headerSize, 4);
  Put(info, 8, 0x1, 4);
  return link + info + "\x00\x00\x00\x00"s;  // no extra data blocks
}

}  // namespace korrin::testing
