#include "settings/TextTokens.h"

namespace korrin {

std::string TextInParentheses(std::string_view text) {
  if (text.empty()) return {};
  const std::size_t open = text.find('(');
  const std::size_t start = (open == std::string_view::npos) ? 0 : open + 1;
  if (start >= text.size()) return {};
  return std::string(text.substr(start, text.size() - start - 1));
}

std::string NextToken(std::string& rest, char delimiter) {
  const std::size_t at = rest.find(delimiter);
  std::string token;
  if (at == std::string::npos) {
    token.swap(rest);
  } else {
    token = rest.substr(0, at);
    rest.erase(0, at + 1);
  }
  return token;
}

std::string FileCountText(std::int32_t count) { return std::to_string(count) + " files"; }

}  // namespace korrin
