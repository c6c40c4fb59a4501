#include "settings/TextCase.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace korrin {

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = ToUpperAscii(c);
  return upper;
}

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i < common) {
    // Long shared prefixes are the rule for paths: skip equal bytes eight at
    // a time before folding case byte by byte.
    if (i + 8 <= common) {
      std::uint64_t x, y;
      std::memcpy(&x, a.data() + i, 8);
      std::memcpy(&y, b.data() + i, 8);
      if (x == y) {
        i += 8;
        continue;
      }
    }
    const auto upper_a = static_cast<unsigned char>(ToUpperAscii(a[i]));
    const auto upper_b = static_cast<unsigned char>(ToUpperAscii(b[i]));
    if (upper_a != upper_b) return upper_a < upper_b ? -1 : 1;
    ++i;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace korrin
