#include "platform/linux/WindowLinkFrames.h"

#include "platform/linux/LocalSocket.h"

namespace korrin {
namespace {

constexpr std::size_t kLengthBytes = 4;
constexpr unsigned kBitsPerByte = 8;
constexpr std::uint32_t kByteMask = 0xFF;

void AppendField(std::string& frame, const std::string& field) {
  const auto length = static_cast<std::uint32_t>(field.size());
  for (std::size_t i = kLengthBytes; i-- > 0;) {
    frame += static_cast<char>((length >> (i * kBitsPerByte)) & kByteMask);
  }
  frame += field;
}

std::optional<std::string> ReceiveField(int socket, std::uint32_t longest) {
  std::string lengthBytes;
  if (!ReceiveExactly(socket, kLengthBytes, lengthBytes)) return std::nullopt;
  std::uint32_t length = 0;
  for (const char byte : lengthBytes) length = (length << kBitsPerByte) | static_cast<unsigned char>(byte);
  if (length > longest) return std::nullopt;
  std::string field;
  if (!ReceiveExactly(socket, length, field)) return std::nullopt;
  return field;
}

}  // namespace

std::string EncodeTextRequest(const TextRequest& request) {
  std::string frame;
  AppendField(frame, request.boxClass);
  AppendField(frame, request.text);
  return frame;
}

std::optional<TextRequest> ReceiveTextRequest(int socket) {
  std::optional<std::string> boxClass = ReceiveField(socket, kLongestBoxClass);
  if (!boxClass) return std::nullopt;
  std::optional<std::string> text = ReceiveField(socket, kLongestText);
  if (!text) return std::nullopt;
  return TextRequest{std::move(*boxClass), std::move(*text)};
}

}  // namespace korrin
