#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace korrin::testing {

// A file's bytes exactly; empty when it cannot be read.
inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The 32-bit little-endian number at offset (a bitmap header's width is at 18).
inline std::uint32_t LittleEndian32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && offset + i < bytes.size(); ++i) {
    value |= std::uint32_t{static_cast<unsigned char>(bytes[offset + i])} << (8 * i);
  }
  return value;
}

}  // namespace korrin::testing
