#include <gtest/gtest.h>
#include <msgpack.hpp>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "host/ChannelFailures.h"
#include "host/HostFrames.h"
#include "host/HostMessageCodec.h"

namespace korrin {
namespace {

using host::DispatchArray;
using host::DispatchKind;
using host::DispatchValue;
using host::InvokeAnswer;
using host::InvokeKind;
using host::InvokeRequest;
using host::ObjectReference;

const std::string kBadData = "The stub received bad data: ";

// An array value nested this deep: [[[... 7 ...]]].
DispatchValue Nested(std::size_t levels) {
  DispatchValue value(std::int32_t{7});
  for (std::size_t i = 0; i < levels; ++i) value = DispatchValue(DispatchArray{value});
  return value;
}

std::vector<DispatchValue> EveryKind() {
  return {
      DispatchValue(),
      DispatchValue(true),
      DispatchValue(false),
      DispatchValue(std::int16_t{-32768}),
      DispatchValue(std::int16_t{32767}),
      DispatchValue(std::int16_t{0}),
      DispatchValue(std::int32_t{std::numeric_limits<std::int32_t>::min()}),
      DispatchValue(std::int32_t{std::numeric_limits<std::int32_t>::max()}),
      DispatchValue(std::int32_t{1}),
      DispatchValue(0.1),
      DispatchValue(-1e300),
      DispatchValue(std::numeric_limits<double>::infinity()),
      DispatchValue(""),
      DispatchValue("Zeichnung \xC3\xBC\xE2\x82\xAC.idw"),
      DispatchValue(std::string("nul\0inside", 10)),
      DispatchValue(ObjectReference{0}),
      DispatchValue(ObjectReference{std::numeric_limits<std::uint64_t>::max()}),
      DispatchValue(DispatchArray{}),
      DispatchValue(DispatchArray{std::int32_t{3}, std::int32_t{9}, std::int32_t{10}, "a", true,
                                  DispatchArray{ObjectReference{5}, 2.5, DispatchValue()}}),
      Nested(host::kMaxArrayNesting),
  };
}

std::string Packed(const std::function<void(msgpack::packer<msgpack::sbuffer>&)>& write) {
  msgpack::sbuffer buffer;
  msgpack::packer<msgpack::sbuffer> packer(buffer);
  write(packer);
  return std::string(buffer.data(), buffer.size());
}

// A request whose header is sound and whose one argument is the given
// MessagePack, written by hand.
std::string RequestWithArgument(const std::function<void(msgpack::packer<msgpack::sbuffer>&)>& argument) {
  return Packed([&](auto& packer) {
    packer.pack_array(5);
    packer.pack_uint64(1);
    packer.pack_uint64(1);
    packer.pack_int32(0x3000103);
    packer.pack_uint8(1);
    packer.pack_array(1);
    argument(packer);
  });
}

std::string DecodeRequestFailure(const std::string& body) {
  const Result<InvokeRequest> decoded = host::DecodeRequest(body);
  if (decoded) return "(decoded)";
  EXPECT_EQ(decoded.failure().number, host::kBadFrame);
  return decoded.failure().description;
}

std::string DecodeAnswerFailure(const std::string& body) {
  const Result<InvokeAnswer> decoded = host::DecodeAnswer(body);
  if (decoded) return "(decoded)";
  EXPECT_EQ(decoded.failure().number, host::kBadFrame);
  return decoded.failure().description;
}

TEST(HostMessageCodec, RequestsOfEveryKindAndNestingComeBackExactly) {
  const std::vector<InvokeKind> kinds = {InvokeKind::Method, InvokeKind::PropertyGet, InvokeKind::PropertyPut};
  for (const InvokeKind kind : kinds) {
    const InvokeRequest request{std::numeric_limits<std::uint64_t>::max(), ObjectReference{42},
                                std::numeric_limits<std::int32_t>::min(), kind, EveryKind()};
    const Result<std::string> body = host::EncodeRequest(request);
    ASSERT_TRUE(body.ok()) << body.failure().description;
    const Result<InvokeRequest> decoded = host::DecodeRequest(body.value());
    ASSERT_TRUE(decoded.ok()) << decoded.failure().description;
    EXPECT_TRUE(decoded.value() == request) << static_cast<int>(kind);
    ASSERT_EQ(decoded.value().arguments.size(), request.arguments.size());
    for (std::size_t i = 0; i < request.arguments.size(); ++i) {
      EXPECT_EQ(decoded.value().arguments[i].kind(), request.arguments[i].kind()) << "argument " << i + 1;
    }
  }
  const Result<std::string> none = host::EncodeRequest({1, ObjectReference{1}, 0x3000109, InvokeKind::Method, {}});
  ASSERT_TRUE(none.ok());
  const Result<InvokeRequest> decoded = host::DecodeRequest(none.value());
  ASSERT_TRUE(decoded.ok());
  EXPECT_TRUE(decoded.value().arguments.empty());
  EXPECT_EQ(decoded.value().member, 0x3000109);
}

// Equal numbers of different kinds stay apart: the host's members tell a
// 16-bit from a 32-bit integer, and a Boolean or an object is no integer.
TEST(HostMessageCodec, KindsStayApartWhereTheirNumbersAgree) {
  const std::vector<DispatchValue> ones = {DispatchValue(true), DispatchValue(std::int16_t{1}),
                                           DispatchValue(std::int32_t{1}), DispatchValue(1.0),
                                           DispatchValue(ObjectReference{1}), DispatchValue(DispatchArray{true})};
  const Result<std::string> body = host::EncodeRequest({5, ObjectReference{2}, 3, InvokeKind::PropertyPut, ones});
  ASSERT_TRUE(body.ok());
  const Result<InvokeRequest> decoded = host::DecodeRequest(body.value());
  ASSERT_TRUE(decoded.ok()) << decoded.failure().description;
  const std::vector<DispatchKind> kinds = {DispatchKind::Boolean, DispatchKind::Integer16, DispatchKind::Integer32,
                                           DispatchKind::Double,  DispatchKind::Object,    DispatchKind::Array};
  ASSERT_EQ(decoded.value().arguments.size(), kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    EXPECT_EQ(decoded.value().arguments[i].kind(), kinds[i]) << "argument " << i + 1;
  }
  EXPECT_EQ(decoded.value().arguments[5].as<DispatchArray>()[0].kind(), DispatchKind::Boolean);
  // -0.0 keeps its sign, which an integer encoding would lose.
  const Result<std::string> zero = host::EncodeAnswer({1, DispatchValue(-0.0)});
  ASSERT_TRUE(zero.ok());
  const Result<InvokeAnswer> answer = host::DecodeAnswer(zero.value());
  ASSERT_TRUE(answer.ok() && answer.value().result.ok());
  EXPECT_TRUE(std::signbit(answer.value().result.value().as<double>()));
}

TEST(HostMessageCodec, AnswersCarryTheirValueOrTheHostsFailureWhole) {
  const std::vector<Result<DispatchValue>> results = {
      DispatchValue(std::int32_t{2048}),
      DispatchValue(DispatchArray{std::int32_t{12290}, "C:/parts/a.ipt"}),
      DispatchValue(),
      Failure{host::kObjectDisconnected, "The object invoked has disconnected from its clients."},
      Failure{2, "/tmp/x.ipt: No such file or directory"},
      Failure{std::numeric_limits<long>::min(), ""},
  };
  std::uint64_t call = 0;
  for (const Result<DispatchValue>& result : results) {
    ++call;
    const Result<std::string> body = host::EncodeAnswer({call, result});
    ASSERT_TRUE(body.ok()) << call;
    const Result<InvokeAnswer> decoded = host::DecodeAnswer(body.value());
    ASSERT_TRUE(decoded.ok()) << call << ": " << decoded.failure().description;
    EXPECT_EQ(decoded.value().call, call);
    ASSERT_EQ(decoded.value().result.ok(), result.ok()) << call;
    if (result) {
      EXPECT_TRUE(decoded.value().result.value() == result.value()) << call;
    } else {
      EXPECT_EQ(decoded.value().result.failure(), result.failure()) << call;
    }
  }
}

TEST(HostMessageCodec, ABodyCutShortAtAnyLengthIsABadFrame) {
  const Result<std::string> request =
      host::EncodeRequest({77, ObjectReference{3}, 0x3000302, InvokeKind::Method, EveryKind()});
  const Result<std::string> answer = host::EncodeAnswer({77, DispatchValue(DispatchArray{"x", 1.5, Nested(3)})});
  const Result<std::string> failure = host::EncodeAnswer({77, Failure{host::kBadIndex, "Invalid index."}});
  ASSERT_TRUE(request.ok() && answer.ok() && failure.ok());
  // Cut inside a value, or where the body holds fewer bytes than the items
  // its arrays announce, so the parse stops before it reaches the end.
  const auto expectCutShort = [](const std::string& description, std::size_t length) {
    const std::string cut = kBadData + "the body is cut short";
    const std::string counted = cut + ": arrays announce ";
    const std::string inBytes = " items in " + std::to_string(length) + " bytes";
    EXPECT_TRUE(description == cut ||
                (description.starts_with(counted) && description.ends_with(inBytes)))
        << "cut at " << length << ": " << description;
  };
  for (std::size_t length = 0; length < request.value().size(); ++length) {
    expectCutShort(DecodeRequestFailure(request.value().substr(0, length)), length);
  }
  for (const std::string& body : {answer.value(), failure.value()}) {
    for (std::size_t length = 0; length < body.size(); ++length) {
      expectCutShort(DecodeAnswerFailure(body.substr(0, length)), length);
    }
  }
  EXPECT_EQ(DecodeRequestFailure(request.value().substr(0, 1)),
            kBadData + "the body is cut short: arrays announce 5 items in 1 bytes");
  EXPECT_EQ(DecodeRequestFailure(request.value().substr(0, request.value().size() - 1)),
            kBadData + "the body is cut short");
}

TEST(HostMessageCodec, EveryFieldOfTheWrongTypeIsNamed) {
  struct Case {
    std::string name;
    std::string body;
    std::string description;
  };
  const auto header = [](auto& packer, auto call, auto object, auto member, auto kind) {
    packer.pack_array(5);
    packer.pack(call);
    packer.pack(object);
    packer.pack(member);
    packer.pack(kind);
  };
  const std::vector<Case> cases = {
      {"not an array", Packed([](auto& p) { p.pack_uint8(5); }),
       "the request is a positive integer, not an array of 5 items"},
      {"four items", Packed([](auto& p) { p.pack_array(4); for (int i = 0; i < 4; ++i) p.pack_uint8(1); }),
       "the request is an array of 4 items, not an array of 5 items"},
      {"call as text", Packed([&](auto& p) { header(p, std::string("1"), 1, 2, 0); p.pack_array(0); }),
       "the call number is a text, not an unsigned integer"},
      {"negative object", Packed([&](auto& p) { header(p, 1, -4, 2, 0); p.pack_array(0); }),
       "the object reference is -4, not an unsigned integer"},
      {"member too large", Packed([&](auto& p) { header(p, 1, 1, std::int64_t{1} << 40, 0); p.pack_array(0); }),
       "the member is 1099511627776, not a 32-bit integer"},
      {"member as double", Packed([&](auto& p) { header(p, 1, 1, 2.5, 0); p.pack_array(0); }),
       "the member is a 64-bit float, not a 32-bit integer"},
      {"unknown invoke kind", Packed([&](auto& p) { header(p, 1, 1, 2, 3); p.pack_array(0); }),
       "the invoke kind is unknown: 3"},
      {"invoke kind as Boolean", Packed([&](auto& p) { header(p, 1, 1, 2, true); p.pack_array(0); }),
       "the invoke kind is unknown: a Boolean"},
      {"arguments nil", Packed([&](auto& p) { header(p, 1, 1, 2, 0); p.pack_nil(); }),
       "the arguments are nil, not an array"},
      {"argument no pair", RequestWithArgument([](auto& p) { p.pack_int32(5); }),
       "argument 1 is a positive integer, not a [kind, payload] pair"},
      {"argument of three", RequestWithArgument([](auto& p) { p.pack_array(3); p.pack(3); p.pack(1); p.pack(1); }),
       "argument 1 is an array, not a [kind, payload] pair"},
      {"unknown kind", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(8); p.pack_nil(); }),
       "argument 1 is of an unknown kind: 8"},
      {"kind as text", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(std::string("bool")); p.pack(true); }),
       "argument 1 is of an unknown kind: a text"},
      {"empty with a payload", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(0); p.pack(0); }),
       "argument 1: a value of kind empty has a positive integer for its payload"},
      {"Boolean as integer", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(1); p.pack(1); }),
       "argument 1: a value of kind Boolean has a positive integer for its payload"},
      {"16-bit out of range", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(2); p.pack(70000); }),
       "argument 1: a value of kind 16-bit integer holds 70000, outside its range"},
      {"32-bit out of range", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(3); p.pack(-2147483649LL); }),
       "argument 1: a value of kind 32-bit integer holds -2147483649, outside its range"},
      {"32-bit as Boolean", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(3); p.pack(false); }),
       "argument 1: a value of kind 32-bit integer has a Boolean for its payload"},
      {"double as integer", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(4); p.pack(1); }),
       "argument 1: a value of kind double has a positive integer for its payload"},
      {"text as nil", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(5); p.pack_nil(); }),
       "argument 1: a value of kind text has nil for its payload"},
      {"object negative", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(6); p.pack(-1); }),
       "argument 1: a value of kind object has a negative integer for its payload"},
      {"array as text", RequestWithArgument([](auto& p) { p.pack_array(2); p.pack(7); p.pack(std::string("[]")); }),
       "argument 1: a value of kind array has a text for its payload"},
      {"damaged item", RequestWithArgument([](auto& p) {
         p.pack_array(2); p.pack(7); p.pack_array(2);
         p.pack_array(2); p.pack(5); p.pack(std::string("ok"));
         p.pack_array(2); p.pack(1); p.pack_nil();
       }),
       "argument 1, item 2: a value of kind Boolean has nil for its payload"},
      {"a map", RequestWithArgument([](auto& p) { p.pack_map(1); p.pack(1); p.pack(2); }),
       "a map, which no message holds"},
      {"binary data", RequestWithArgument([](auto& p) { p.pack_bin(2); p.pack_bin_body("ab", 2); }),
       "binary data, which no message holds"},
  };
  for (const Case& test : cases) EXPECT_EQ(DecodeRequestFailure(test.body), kBadData + test.description) << test.name;
}

TEST(HostMessageCodec, AnAnswerOfTheWrongShapeIsNamed) {
  struct Case {
    std::string name;
    std::string body;
    std::string description;
  };
  const std::vector<Case> cases = {
      {"request for an answer", Packed([](auto& p) { p.pack_array(5); for (int i = 0; i < 5; ++i) p.pack(0); }),
       "the answer is an array of 5 items, not an array of 3 items"},
      {"outcome as integer", Packed([](auto& p) { p.pack_array(3); p.pack(1); p.pack(1); p.pack_nil(); }),
       "the answer's outcome is a positive integer, not a Boolean"},
      {"failure of one item",
       Packed([](auto& p) { p.pack_array(3); p.pack(1); p.pack(false); p.pack_array(1); p.pack(-5); }),
       "the answer's failure is not a [number, description] pair"},
      {"failure text as number",
       Packed([](auto& p) { p.pack_array(3); p.pack(1); p.pack(false); p.pack_array(2); p.pack(-5); p.pack(6); }),
       "the answer's failure is not a [number, description] pair"},
      {"value of a wrong payload", Packed([](auto& p) {
         p.pack_array(3); p.pack(1); p.pack(true); p.pack_array(2); p.pack(6); p.pack(std::string("handle"));
       }),
       "the answer's value: a value of kind object has a text for its payload"},
      {"value too deep", Packed([](auto& p) {
         p.pack_array(3); p.pack(1); p.pack(true);
         for (std::size_t i = 1; i < host::kMaxArrayNesting; ++i) { p.pack_array(2); p.pack(7); p.pack_array(1); }
         p.pack_array(2); p.pack(7); p.pack_array(1);  // the eighth level
         p.pack_array(2); p.pack(7); p.pack_array(0);  // one too many, though empty
       }),
       "the answer's value, item 1, item 1, item 1, item 1, item 1, item 1, item 1, item 1: arrays nested deeper "
       "than 8 levels"},
  };
  for (const Case& test : cases) EXPECT_EQ(DecodeAnswerFailure(test.body), kBadData + test.description) << test.name;
}

TEST(HostMessageCodec, CountsNestingTrailingBytesAndNonsenseAreRefusedBeforeAnythingIsBuilt) {
  // An array header claiming four thousand million items, in five bytes.
  EXPECT_EQ(DecodeRequestFailure(std::string("\xdd\xff\xff\xff\xff", 5)),
            kBadData + "the body is cut short: arrays announce 4294967295 items in 5 bytes");
  // A sound header whose argument list claims more than the body holds.
  const std::string claiming = Packed([](auto& p) {
    p.pack_array(5); p.pack(1); p.pack(1); p.pack(1); p.pack(0); p.pack_array(1000);
    p.pack_array(2); p.pack(0); p.pack_nil();
  });
  EXPECT_EQ(DecodeRequestFailure(claiming),
            kBadData + "the body is cut short: arrays announce 1005 items in " + std::to_string(claiming.size()) +
                " bytes");
  // Sound in size, but more items than a message may unpack into.
  const std::string many = Packed([](auto& p) {
    p.pack_array(5); p.pack(1); p.pack(1); p.pack(1); p.pack(0);
    p.pack_array(1); p.pack_array(2); p.pack(7);
    p.pack_array(host::kFrameBodyLimit / 8);
    for (std::size_t i = 0; i < host::kFrameBodyLimit / 8; ++i) p.pack_nil();
  });
  EXPECT_EQ(DecodeRequestFailure(many), kBadData + "arrays announce more than 1048576 items");

  const Result<std::string> deepest =
      host::EncodeRequest({1, ObjectReference{1}, 1, InvokeKind::Method, {Nested(host::kMaxArrayNesting)}});
  ASSERT_TRUE(deepest.ok());
  EXPECT_TRUE(host::DecodeRequest(deepest.value()).ok());
  const Result<std::string> tooDeep =
      host::EncodeRequest({1, ObjectReference{1}, 1, InvokeKind::Method, {Nested(host::kMaxArrayNesting + 1)}});
  ASSERT_FALSE(tooDeep.ok());
  EXPECT_EQ(tooDeep.failure().description, kBadData + "cannot send arrays nested deeper than 8 levels");
  // The same by hand, and far deeper, as a hostile client would send it.
  const std::string hostile = Packed([](auto& p) {
    p.pack_array(5); p.pack(1); p.pack(1); p.pack(1); p.pack(0); p.pack_array(1);
    for (int i = 0; i < 10000; ++i) { p.pack_array(2); p.pack(7); p.pack_array(1); }
  });
  EXPECT_EQ(DecodeRequestFailure(hostile), kBadData + "arrays nested deeper than 8 levels");

  const Result<std::string> sound = host::EncodeRequest({1, ObjectReference{1}, 1, InvokeKind::Method, {true}});
  ASSERT_TRUE(sound.ok());
  EXPECT_EQ(DecodeRequestFailure(sound.value() + '\xc0'), kBadData + "1 byte after the message");
  EXPECT_EQ(DecodeRequestFailure(sound.value() + sound.value()),
            kBadData + std::to_string(sound.value().size()) + " bytes after the message");
  // 0xc1 is the one byte MessagePack never uses.
  EXPECT_EQ(DecodeRequestFailure(std::string("\xc1", 1)), kBadData + "byte 0 starts no MessagePack value");
  EXPECT_EQ(DecodeAnswerFailure(std::string("\x93\x01\xc1", 3)), kBadData + "byte 2 starts no MessagePack value");
}

TEST(HostMessageCodec, AMessageOverTheFrameLimitIsNotEncoded) {
  const std::string overLimit(host::kFrameBodyLimit + 1, 'x');
  const Result<std::string> text = host::EncodeRequest({1, ObjectReference{1}, 1, InvokeKind::Method, {overLimit}});
  ASSERT_FALSE(text.ok());
  EXPECT_EQ(text.failure(),
            host::BadFrame("cannot send a text of 16777217 bytes, over the frame limit of 16 MiB"));
  // Under the limit as a text, over it with the message around it.
  const std::string nearLimit(host::kFrameBodyLimit - 4, 'x');
  const Result<std::string> answer = host::EncodeAnswer({1, DispatchValue(nearLimit)});
  ASSERT_FALSE(answer.ok());
  EXPECT_EQ(answer.failure().description,
            kBadData + "cannot send a message of " + std::to_string(host::kFrameBodyLimit + 6) +
                " bytes, over the frame limit of 16 MiB");
  const Result<std::string> fits = host::EncodeAnswer({1, DispatchValue(std::string(host::kFrameBodyLimit - 20, 'y'))});
  ASSERT_TRUE(fits.ok());
  EXPECT_LE(fits.value().size(), host::kFrameBodyLimit);
  EXPECT_TRUE(host::DecodeAnswer(fits.value()).ok());
}

}  // namespace
}  // namespace korrin
