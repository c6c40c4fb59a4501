#include "host/HostFrames.h"

#include "host/ChannelFailures.h"

namespace korrin::host {
namespace {

constexpr std::size_t kBitsPerByte = 8;
constexpr std::size_t kBytesPerMebibyte = 1024 * 1024;

std::uint32_t ReadLength(std::string_view header) {
  std::uint32_t length = 0;
  for (std::size_t i = 0; i < kFrameHeaderSize; ++i) {
    length = (length << kBitsPerByte) | static_cast<unsigned char>(header[i]);
  }
  return length;
}

}  // namespace

std::string FrameLimitText() { return std::to_string(kFrameBodyLimit / kBytesPerMebibyte) + " MiB"; }

Result<std::string> Framed(std::string_view body) {
  if (body.size() > kFrameBodyLimit) {
    return BadFrame("a body of " + std::to_string(body.size()) + " bytes, over the limit of " + FrameLimitText());
  }
  std::string frame(kFrameHeaderSize, '\0');
  const auto length = static_cast<std::uint32_t>(body.size());
  for (std::size_t i = 0; i < kFrameHeaderSize; ++i) {
    frame[i] = static_cast<char>((length >> (kBitsPerByte * (kFrameHeaderSize - 1 - i))) & 0xFF);
  }
  frame.append(body);
  return frame;
}

Status HostFrameBuffer::Append(std::string_view bytes) {
  if (broken_) return BadFrame("the stream is past a frame over the limit of " + FrameLimitText());
  // Drop what was handed out before growing, so a long conversation does
  // not keep every frame it ever carried.
  if (consumed_ > 0) {
    pending_.erase(0, consumed_);
    consumed_ = 0;
  }
  pending_.append(bytes);
  if (Status header = CheckHeaders(); !header) {
    broken_ = true;
    pending_.clear();
    return header;
  }
  return {};
}

// Every header that has arrived, not only the first: several frames may
// come in one piece, and an oversized one among them must fail now rather
// than wait for a body that never fits.
Status HostFrameBuffer::CheckHeaders() const {
  std::string_view waiting = std::string_view(pending_).substr(consumed_);
  while (waiting.size() >= kFrameHeaderSize) {
    const std::uint32_t length = ReadLength(waiting);
    if (length > kFrameBodyLimit) {
      return BadFrame("a frame announces " + std::to_string(length) + " bytes, over the limit of " +
                      FrameLimitText());
    }
    if (waiting.size() - kFrameHeaderSize < length) break;
    waiting.remove_prefix(kFrameHeaderSize + length);
  }
  return {};
}

std::optional<std::string> HostFrameBuffer::TakeFrame() {
  const std::string_view waiting = std::string_view(pending_).substr(consumed_);
  if (broken_ || waiting.size() < kFrameHeaderSize) return std::nullopt;
  const std::uint32_t length = ReadLength(waiting);
  if (waiting.size() - kFrameHeaderSize < length) return std::nullopt;
  std::string body(waiting.substr(kFrameHeaderSize, length));
  consumed_ += kFrameHeaderSize + length;
  return body;
}

}  // namespace korrin::host
