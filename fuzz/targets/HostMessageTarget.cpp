// Frame bodies and streams from the other end of a host socket: any bytes
// read as a request, as an answer and as a stream of frames. What decodes
// must encode again, and to the same bytes after a second round.
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "host/ChannelFailures.h"
#include "host/HostFrames.h"
#include "host/HostMessageCodec.h"

namespace {

using namespace korrin;

// Encoded twice, the bytes agree: compared as bytes, since a double that is
// not a number is unequal to itself.
template <typename Message>
void RequireStableRoundTrip(const Message& decoded, Result<std::string> (*encode)(const Message&),
                            Result<Message> (*decode)(std::string_view)) {
  const Result<std::string> once = encode(decoded);
  fuzz::Require(once.ok(), "a decoded message encodes");
  const Result<Message> back = decode(once.value());
  fuzz::Require(back.ok(), "an encoded message decodes");
  const Result<std::string> twice = encode(back.value());
  fuzz::Require(twice.ok() && twice.value() == once.value(), "a message survives its round trip");
}

void RequireBadFrame(const Failure& failure) {
  fuzz::Require(failure.number == host::kBadFrame, "a body that does not decode is a bad frame");
  fuzz::Require(!failure.description.empty(), "a bad frame says what was wrong");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::InputBytes(data, size);
  if (const Result<host::InvokeRequest> request = host::DecodeRequest(bytes)) {
    RequireStableRoundTrip<host::InvokeRequest>(request.value(), host::EncodeRequest, host::DecodeRequest);
  } else {
    RequireBadFrame(request.failure());
  }
  if (const Result<host::InvokeAnswer> answer = host::DecodeAnswer(bytes)) {
    RequireStableRoundTrip<host::InvokeAnswer>(answer.value(), host::EncodeAnswer, host::DecodeAnswer);
  } else {
    RequireBadFrame(answer.failure());
  }
  // The same bytes as a stream, arriving in two pieces.
  host::HostFrameBuffer frames;
  std::size_t handedOut = 0;
  for (const std::string_view piece : {bytes.substr(0, size / 2), bytes.substr(size / 2)}) {
    if (!frames.Append(piece)) return 0;
    while (const std::optional<std::string> body = frames.TakeFrame()) {
      fuzz::Require(body->size() <= host::kFrameBodyLimit, "no frame is over the limit");
      handedOut += host::kFrameHeaderSize + body->size();
    }
  }
  fuzz::Require(handedOut <= size, "frames hand out no more than arrived");
  fuzz::Require(frames.empty() == (handedOut == size), "what is not handed out waits");
  return 0;
}
