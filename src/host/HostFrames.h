#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin::host {

// A frame on the host's socket: a 4-byte length in network byte order (most
// significant byte first), then that many bytes of body. The limit keeps a
// damaged or hostile length from making the reader wait for, or allocate,
// gigabytes.
inline constexpr std::size_t kFrameHeaderSize = 4;
inline constexpr std::size_t kFrameBodyLimit = 16 * 1024 * 1024;

// "16 MiB", for failure texts.
std::string FrameLimitText();

// The header and the body; fails with BadFrame when the body is over the limit.
Result<std::string> Framed(std::string_view body);

// Takes the bytes of a stream as they arrive, in pieces of any size, and
// hands out whole frame bodies in order. A header that announces a body over
// the limit fails the Append that brought it, before its body arrives; the
// buffer is then broken: it takes nothing more and hands out no frame.
class HostFrameBuffer {
 public:
  Status Append(std::string_view bytes);
  // The next whole body, or nothing while it has not all arrived.
  std::optional<std::string> TakeFrame();
  // No bytes of an unfinished frame are waiting: a stream that ends here
  // ends between frames.
  bool empty() const { return pending_.size() == consumed_; }

 private:
  Status CheckHeaders() const;

  std::string pending_;
  std::size_t consumed_ = 0;
  bool broken_ = false;
};

}  // namespace korrin::host
