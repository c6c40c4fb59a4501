#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korrin {

// What a window link client asks of a window: set the text of its empty box
// of this class.
struct TextRequest {
  std::string boxClass;
  std::string text;

  bool operator==(const TextRequest&) const = default;
};

// The window's one-byte answer.
enum class BoxAnswer : char { Delivered = 'D', NoEmptyBox = 'B' };

// Longer fields are refused: a window drops such a request unanswered.
inline constexpr std::uint32_t kLongestBoxClass = 256;
inline constexpr std::uint32_t kLongestText = 1u << 20;

// On the socket a request is the box class's length (4 bytes, most
// significant first), the box class, the text's length likewise, the text.
std::string EncodeTextRequest(const TextRequest& request);
// Reads one request; nothing when the peer stops early, a field is too long
// or the socket's time-out passes first.
std::optional<TextRequest> ReceiveTextRequest(int socket);

}  // namespace korrin
