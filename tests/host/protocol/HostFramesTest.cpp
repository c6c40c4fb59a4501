#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/ChannelFailures.h"
#include "host/HostFrames.h"

namespace korrin {
namespace {

using host::HostFrameBuffer;

std::string Header(unsigned char a, unsigned char b, unsigned char c, unsigned char d) {
  return {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c), static_cast<char>(d)};
}

std::vector<std::string> TakeAll(HostFrameBuffer& buffer) {
  std::vector<std::string> bodies;
  while (std::optional<std::string> body = buffer.TakeFrame()) bodies.push_back(*body);
  return bodies;
}

TEST(HostFrames, TheLengthComesFirstMostSignificantByteFirst) {
  EXPECT_EQ(host::Framed("abc").value(), Header(0, 0, 0, 3) + "abc");
  EXPECT_EQ(host::Framed("").value(), Header(0, 0, 0, 0));
  const std::string body(0x10203, 'b');
  EXPECT_EQ(host::Framed(body).value(), Header(0, 1, 2, 3) + body);
  EXPECT_EQ(host::FrameLimitText(), "16 MiB");
  const Result<std::string> over = host::Framed(std::string(host::kFrameBodyLimit + 1, 'o'));
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.failure(),
            host::BadFrame("a body of 16777217 bytes, over the limit of 16 MiB"));
}

TEST(HostFrames, FramesArrivingInPiecesOfAnySizeComeOutWholeAndInOrder) {
  const std::vector<std::string> bodies = {"first", "", std::string(5000, 'x') + "end", std::string("\0\1\2", 3)};
  std::string stream;
  for (const std::string& body : bodies) stream += host::Framed(body).value();

  for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4}, std::size_t{7}, std::size_t{4096},
                                  stream.size()}) {
    HostFrameBuffer buffer;
    std::vector<std::string> taken;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
      ASSERT_TRUE(buffer.Append(stream.substr(at, piece)).ok()) << "pieces of " << piece << " at " << at;
      for (std::string& body : TakeAll(buffer)) taken.push_back(std::move(body));
    }
    EXPECT_EQ(taken, bodies) << "pieces of " << piece;
    EXPECT_TRUE(buffer.empty()) << "pieces of " << piece;
  }
}

TEST(HostFrames, AFrameIsHandedOutOnlyOnceItsLastByteArrived) {
  const std::string frame = host::Framed("body").value();
  HostFrameBuffer buffer;
  EXPECT_TRUE(buffer.empty());
  for (std::size_t at = 0; at + 1 < frame.size(); ++at) {
    ASSERT_TRUE(buffer.Append(frame.substr(at, 1)).ok());
    EXPECT_FALSE(buffer.TakeFrame().has_value()) << "after byte " << at;
    EXPECT_FALSE(buffer.empty()) << "after byte " << at;
  }
  ASSERT_TRUE(buffer.Append(frame.substr(frame.size() - 1)).ok());
  EXPECT_EQ(buffer.TakeFrame(), std::optional<std::string>("body"));
  EXPECT_FALSE(buffer.TakeFrame().has_value());
  EXPECT_TRUE(buffer.empty());
}

TEST(HostFrames, ALengthOverTheLimitFailsAtOnceAndForGood) {
  const std::string refused = host::BadFrame("a frame announces 16777217 bytes, over the limit of 16 MiB").description;
  {
    HostFrameBuffer buffer;
    const Status status = buffer.Append(Header(0x01, 0x00, 0x00, 0x01));
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.failure().number, host::kBadFrame);
    EXPECT_EQ(status.failure().description, refused);
    const Status later = buffer.Append(host::Framed("fine").value());
    ASSERT_FALSE(later.ok());
    EXPECT_EQ(later.failure().description,
              host::BadFrame("the stream is past a frame over the limit of 16 MiB").description);
    EXPECT_FALSE(buffer.TakeFrame().has_value());
  }
  {  // the header split across two pieces
    HostFrameBuffer buffer;
    ASSERT_TRUE(buffer.Append(Header(0xff, 0xff, 0, 0).substr(0, 2)).ok());
    const Status status = buffer.Append(std::string(2, '\0'));
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.failure().description,
              host::BadFrame("a frame announces 4294901760 bytes, over the limit of 16 MiB").description);
  }
  {  // behind a whole frame in the same piece: refused before the first is taken
    HostFrameBuffer buffer;
    const Status status = buffer.Append(host::Framed("ok").value() + Header(0x01, 0x00, 0x00, 0x01));
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.failure().description, refused);
  }
  {  // exactly the limit is a frame still to come
    HostFrameBuffer buffer;
    EXPECT_TRUE(buffer.Append(Header(0x01, 0x00, 0x00, 0x00) + "part").ok());
    EXPECT_FALSE(buffer.TakeFrame().has_value());
  }
}

}  // namespace
}  // namespace korrin
