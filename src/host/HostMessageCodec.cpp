#include "host/HostMessageCodec.h"

#include <msgpack.hpp>

#include <bit>
#include <cstdint>
#include <exception>
#include <limits>
#include <optional>

#include "host/ChannelFailures.h"
#include "host/HostFrames.h"

namespace korrin::host {
namespace {

constexpr std::size_t kRequestItems = 5;
constexpr std::size_t kAnswerItems = 3;
constexpr std::size_t kPairItems = 2;
// Containers a message nests at most: the request and its argument list,
// then a [kind, payload] pair and an array for every level of arrays, and
// the pairs inside the deepest array.
constexpr std::size_t kMaxContainerDepth = 2 + 2 * kMaxArrayNesting + 1;
// Every item takes one byte at least, so a body holds no more items than
// bytes; the cap keeps a large body of tiny items from costing more than a
// few dozen megabytes once unpacked.
constexpr std::size_t kMaxItems = 1024 * 1024;
// MessagePack's "float 64" format: the marker, then the value's bits, most
// significant byte first.
constexpr unsigned char kFloat64Marker = 0xcb;
constexpr std::uint64_t kLastInvokeKind = static_cast<std::uint64_t>(InvokeKind::PropertyPut);
constexpr std::uint64_t kLastDispatchKind = static_cast<std::uint64_t>(DispatchKind::Array);

static_assert(static_cast<int>(DispatchKind::Empty) == 0 && static_cast<int>(DispatchKind::Boolean) == 1 &&
                  static_cast<int>(DispatchKind::Integer16) == 2 && static_cast<int>(DispatchKind::Integer32) == 3 &&
                  static_cast<int>(DispatchKind::Double) == 4 && static_cast<int>(DispatchKind::Text) == 5 &&
                  static_cast<int>(DispatchKind::Object) == 6 && static_cast<int>(DispatchKind::Array) == 7,
              "the kind numbers travel in frames: a new kind goes last");
static_assert(static_cast<int>(InvokeKind::Method) == 0 && static_cast<int>(InvokeKind::PropertyGet) == 1 &&
                  static_cast<int>(InvokeKind::PropertyPut) == 2,
              "the invoke kind numbers travel in frames");

std::string NestingText() { return "arrays nested deeper than " + std::to_string(kMaxArrayNesting) + " levels"; }

// ---- encoding

using Packer = msgpack::packer<msgpack::sbuffer>;

class Encoder {
 public:
  void Value(const DispatchValue& value, std::size_t arrayLevel) {
    packer_.pack_array(kPairItems);
    packer_.pack_uint8(static_cast<std::uint8_t>(value.kind()));
    switch (value.kind()) {
      case DispatchKind::Empty: packer_.pack_nil(); break;
      case DispatchKind::Boolean: value.as<bool>() ? packer_.pack_true() : packer_.pack_false(); break;
      case DispatchKind::Integer16: packer_.pack_int16(value.as<std::int16_t>()); break;
      case DispatchKind::Integer32: packer_.pack_int32(value.as<std::int32_t>()); break;
      case DispatchKind::Double: Double(value.as<double>()); break;
      case DispatchKind::Text: Text(value.as<std::string>()); break;
      case DispatchKind::Object: packer_.pack_uint64(value.as<ObjectReference>().value); break;
      case DispatchKind::Array: Array(value.as<DispatchArray>(), arrayLevel + 1); break;
    }
  }

  void Values(const std::vector<DispatchValue>& values, std::size_t arrayLevel) {
    if (values.size() > kMaxItems) {
      problem_ = "more than " + std::to_string(kMaxItems) + " items";
      packer_.pack_nil();
      return;
    }
    packer_.pack_array(static_cast<std::uint32_t>(values.size()));
    for (const DispatchValue& value : values) Value(value, arrayLevel);
  }

  void Text(const std::string& text) {
    if (text.size() > kFrameBodyLimit) {
      problem_ = "a text of " + std::to_string(text.size()) + " bytes, over the frame limit of " + FrameLimitText();
      packer_.pack_nil();
      return;
    }
    packer_.pack_str(static_cast<std::uint32_t>(text.size()));
    packer_.pack_str_body(text.data(), static_cast<std::uint32_t>(text.size()));
  }

  // Always as a 64-bit float: the library's pack_double writes a whole
  // number as an integer, which loses the sign of -0.0 and makes the other
  // end refuse a double that reads as an integer.
  void Double(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    char bytes[1 + sizeof bits];
    bytes[0] = static_cast<char>(kFloat64Marker);
    for (std::size_t i = 0; i < sizeof bits; ++i) {
      bytes[1 + i] = static_cast<char>((bits >> (8 * (sizeof bits - 1 - i))) & 0xFF);
    }
    buffer_.write(bytes, sizeof bytes);
  }

  Packer& packer() { return packer_; }

  Result<std::string> Body() {
    if (problem_.empty() && buffer_.size() > kFrameBodyLimit) {
      problem_ = "a message of " + std::to_string(buffer_.size()) + " bytes, over the frame limit of " +
                 FrameLimitText();
    }
    if (!problem_.empty()) return BadFrame("cannot send " + problem_);
    return std::string(buffer_.data(), buffer_.size());
  }

 private:
  void Array(const DispatchArray& items, std::size_t level) {
    if (level > kMaxArrayNesting) {
      problem_ = NestingText();
      packer_.pack_nil();
      return;
    }
    Values(items, level);
  }

  msgpack::sbuffer buffer_;
  Packer packer_{buffer_};
  std::string problem_;
};

template <typename Write>
Result<std::string> Encode(Write write) {
  try {
    Encoder encoder;
    write(encoder);
    return encoder.Body();
  } catch (const std::exception& error) {
    return BadFrame(std::string("cannot send the message: ") + error.what());
  }
}

// ---- decoding, first pass: the bytes alone, before anything is allocated

class ShapeCheck : public msgpack::null_visitor {
 public:
  explicit ShapeCheck(std::size_t bodySize) : bodySize_(bodySize) {}

  bool start_array(std::uint32_t items) {
    if (++depth_ > kMaxContainerDepth) return Refuse(NestingText());
    items_ += items;
    // Every item takes a byte at least: a body with fewer bytes than the
    // items it announces is cut short (or its counts are lies).
    if (items_ > bodySize_) {
      return Refuse("the body is cut short: arrays announce " + std::to_string(items_) + " items in " +
                    std::to_string(bodySize_) + " bytes");
    }
    if (items_ > kMaxItems) return Refuse("arrays announce more than " + std::to_string(kMaxItems) + " items");
    return true;
  }
  bool end_array() {
    --depth_;
    return true;
  }
  bool start_map(std::uint32_t) { return Refuse("a map, which no message holds"); }
  bool visit_bin(const char*, std::uint32_t) { return Refuse("binary data, which no message holds"); }
  bool visit_ext(const char*, std::uint32_t) { return Refuse("an extension value, which no message holds"); }
  void parse_error(std::size_t, std::size_t errorOffset) {
    problem_ = "byte " + std::to_string(errorOffset) + " starts no MessagePack value";
  }
  void insufficient_bytes(std::size_t, std::size_t) { problem_ = "the body is cut short"; }

  const std::string& problem() const { return problem_; }

 private:
  bool Refuse(std::string problem) {
    problem_ = std::move(problem);
    return false;
  }

  std::size_t bodySize_;
  std::size_t depth_ = 0;
  std::size_t items_ = 0;
  std::string problem_;
};

// Fails unless the body is one whole message of a sane shape.
Status CheckShape(std::string_view body) {
  ShapeCheck check(body.size());
  std::size_t offset = 0;
  if (!msgpack::parse(body.data(), body.size(), offset, check)) {
    return BadFrame(check.problem().empty() ? "the body is not MessagePack" : check.problem());
  }
  if (offset != body.size()) {
    const std::size_t trailing = body.size() - offset;
    return BadFrame(std::to_string(trailing) + (trailing == 1 ? " byte" : " bytes") + " after the message");
  }
  return {};
}

// ---- decoding, second pass: the unpacked objects, every type checked

const char* TypeName(const msgpack::object& object) {
  switch (object.type) {
    case msgpack::type::NIL: return "nil";
    case msgpack::type::BOOLEAN: return "a Boolean";
    case msgpack::type::POSITIVE_INTEGER: return "a positive integer";
    case msgpack::type::NEGATIVE_INTEGER: return "a negative integer";
    case msgpack::type::FLOAT32: return "a 32-bit float";
    case msgpack::type::FLOAT64: return "a 64-bit float";
    case msgpack::type::STR: return "a text";
    case msgpack::type::ARRAY: return "an array";
    case msgpack::type::MAP: return "a map";
    case msgpack::type::BIN: return "binary data";
    case msgpack::type::EXT: return "an extension value";
  }
  return "an unknown type";
}

std::optional<std::uint64_t> Unsigned(const msgpack::object& object) {
  if (object.type != msgpack::type::POSITIVE_INTEGER) return std::nullopt;
  return object.via.u64;
}

std::optional<std::int64_t> Signed(const msgpack::object& object) {
  if (object.type == msgpack::type::NEGATIVE_INTEGER) return object.via.i64;
  if (object.type == msgpack::type::POSITIVE_INTEGER &&
      object.via.u64 <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return static_cast<std::int64_t>(object.via.u64);
  }
  return std::nullopt;
}

template <typename Integer>
std::optional<Integer> SignedIn(const msgpack::object& object) {
  const std::optional<std::int64_t> value = Signed(object);
  if (!value || *value < std::numeric_limits<Integer>::min() || *value > std::numeric_limits<Integer>::max()) {
    return std::nullopt;
  }
  return static_cast<Integer>(*value);
}

std::string Shown(const msgpack::object& object) {
  if (object.type == msgpack::type::POSITIVE_INTEGER) return std::to_string(object.via.u64);
  if (object.type == msgpack::type::NEGATIVE_INTEGER) return std::to_string(object.via.i64);
  return TypeName(object);
}

bool IsArrayOf(const msgpack::object& object, std::size_t items) {
  return object.type == msgpack::type::ARRAY && object.via.array.size == items;
}

Failure PayloadMismatch(const std::string& where, DispatchKind kind, const msgpack::object& payload) {
  return BadFrame(where + ": a value of kind " + DispatchKindName(kind) + " has " + TypeName(payload) +
                  " for its payload");
}

Result<DispatchValue> DecodeValue(const msgpack::object& object, const std::string& where, std::size_t arrayLevel);

Result<DispatchValue> DecodeArray(const msgpack::object& payload, const std::string& where, std::size_t level) {
  if (level > kMaxArrayNesting) return BadFrame(where + ": " + NestingText());
  DispatchArray items;
  items.reserve(payload.via.array.size);
  for (std::uint32_t i = 0; i < payload.via.array.size; ++i) {
    Result<DispatchValue> item =
        DecodeValue(payload.via.array.ptr[i], where + ", item " + std::to_string(i + 1), level);
    if (!item) return item.failure();
    items.push_back(std::move(item).value());
  }
  return DispatchValue(std::move(items));
}

Result<DispatchValue> DecodePayload(DispatchKind kind, const msgpack::object& payload, const std::string& where,
                                    std::size_t arrayLevel) {
  const auto type = payload.type;
  switch (kind) {
    case DispatchKind::Empty:
      if (type == msgpack::type::NIL) return DispatchValue();
      break;
    case DispatchKind::Boolean:
      if (type == msgpack::type::BOOLEAN) return DispatchValue(payload.via.boolean);
      break;
    case DispatchKind::Integer16:
    case DispatchKind::Integer32:
      if (type == msgpack::type::POSITIVE_INTEGER || type == msgpack::type::NEGATIVE_INTEGER) {
        if (kind == DispatchKind::Integer16) {
          if (const auto value = SignedIn<std::int16_t>(payload)) return DispatchValue(*value);
        } else if (const auto value = SignedIn<std::int32_t>(payload)) {
          return DispatchValue(*value);
        }
        return BadFrame(where + ": a value of kind " + DispatchKindName(kind) + " holds " + Shown(payload) +
                        ", outside its range");
      }
      break;
    case DispatchKind::Double:
      if (type == msgpack::type::FLOAT64) return DispatchValue(payload.via.f64);
      break;
    case DispatchKind::Text:
      if (type == msgpack::type::STR) return DispatchValue(std::string(payload.via.str.ptr, payload.via.str.size));
      break;
    case DispatchKind::Object:
      if (type == msgpack::type::POSITIVE_INTEGER) return DispatchValue(ObjectReference{payload.via.u64});
      break;
    case DispatchKind::Array:
      if (type == msgpack::type::ARRAY) return DecodeArray(payload, where, arrayLevel + 1);
      break;
  }
  return PayloadMismatch(where, kind, payload);
}

Result<DispatchValue> DecodeValue(const msgpack::object& object, const std::string& where, std::size_t arrayLevel) {
  if (!IsArrayOf(object, kPairItems)) {
    return BadFrame(where + " is " + TypeName(object) + ", not a [kind, payload] pair");
  }
  const msgpack::object& kind = object.via.array.ptr[0];
  const std::optional<std::uint64_t> number = Unsigned(kind);
  if (!number || *number > kLastDispatchKind) return BadFrame(where + " is of an unknown kind: " + Shown(kind));
  return DecodePayload(static_cast<DispatchKind>(*number), object.via.array.ptr[1], where, arrayLevel);
}

// Runs both passes; read gets the unpacked message.
template <typename Message, typename Read>
Result<Message> Decode(std::string_view body, Read read) {
  try {
    if (Status shape = CheckShape(body); !shape) return shape.failure();
    const msgpack::unpack_limit limit(kMaxItems, 0, kFrameBodyLimit, 0, 0, kMaxContainerDepth);
    std::size_t offset = 0;
    const msgpack::object_handle handle = msgpack::unpack(body.data(), body.size(), offset, nullptr, nullptr, limit);
    return read(handle.get());
  } catch (const std::exception& error) {
    return BadFrame(std::string("the body cannot be read: ") + error.what());
  }
}

Result<InvokeRequest> ReadRequest(const msgpack::object& message) {
  if (!IsArrayOf(message, kRequestItems)) {
    return BadFrame("the request is " + std::string(TypeName(message)) +
                    (message.type == msgpack::type::ARRAY ? " of " + std::to_string(message.via.array.size) + " items"
                                                          : std::string()) +
                    ", not an array of " + std::to_string(kRequestItems) + " items");
  }
  const msgpack::object* items = message.via.array.ptr;
  InvokeRequest request;
  const std::optional<std::uint64_t> call = Unsigned(items[0]);
  if (!call) return BadFrame("the call number is " + Shown(items[0]) + ", not an unsigned integer");
  const std::optional<std::uint64_t> object = Unsigned(items[1]);
  if (!object) return BadFrame("the object reference is " + Shown(items[1]) + ", not an unsigned integer");
  const std::optional<std::int32_t> member = SignedIn<std::int32_t>(items[2]);
  if (!member) return BadFrame("the member is " + Shown(items[2]) + ", not a 32-bit integer");
  const std::optional<std::uint64_t> kind = Unsigned(items[3]);
  if (!kind || *kind > kLastInvokeKind) return BadFrame("the invoke kind is unknown: " + Shown(items[3]));
  if (items[4].type != msgpack::type::ARRAY) {
    return BadFrame("the arguments are " + std::string(TypeName(items[4])) + ", not an array");
  }
  request.call = *call;
  request.object = ObjectReference{*object};
  request.member = *member;
  request.kind = static_cast<InvokeKind>(*kind);
  const msgpack::object_array& arguments = items[4].via.array;
  request.arguments.reserve(arguments.size);
  for (std::uint32_t i = 0; i < arguments.size; ++i) {
    Result<DispatchValue> argument = DecodeValue(arguments.ptr[i], "argument " + std::to_string(i + 1), 0);
    if (!argument) return argument.failure();
    request.arguments.push_back(std::move(argument).value());
  }
  return request;
}

// Nothing when the object is no [number, description] pair.
std::optional<Failure> ReadFailure(const msgpack::object& object) {
  if (!IsArrayOf(object, kPairItems)) return std::nullopt;
  const std::optional<std::int64_t> number = Signed(object.via.array.ptr[0]);
  const msgpack::object& description = object.via.array.ptr[1];
  if (!number || *number < std::numeric_limits<long>::min() || *number > std::numeric_limits<long>::max() ||
      description.type != msgpack::type::STR) {
    return std::nullopt;
  }
  return Failure{static_cast<long>(*number), std::string(description.via.str.ptr, description.via.str.size)};
}

Result<InvokeAnswer> ReadAnswer(const msgpack::object& message) {
  if (!IsArrayOf(message, kAnswerItems)) {
    return BadFrame("the answer is " + std::string(TypeName(message)) +
                    (message.type == msgpack::type::ARRAY ? " of " + std::to_string(message.via.array.size) + " items"
                                                          : std::string()) +
                    ", not an array of " + std::to_string(kAnswerItems) + " items");
  }
  const msgpack::object* items = message.via.array.ptr;
  const std::optional<std::uint64_t> call = Unsigned(items[0]);
  if (!call) return BadFrame("the call number is " + Shown(items[0]) + ", not an unsigned integer");
  if (items[1].type != msgpack::type::BOOLEAN) {
    return BadFrame("the answer's outcome is " + std::string(TypeName(items[1])) + ", not a Boolean");
  }
  InvokeAnswer answer;
  answer.call = *call;
  if (items[1].via.boolean) {
    Result<DispatchValue> value = DecodeValue(items[2], "the answer's value", 0);
    if (!value) return value.failure();
    answer.result = std::move(value).value();
  } else {
    std::optional<Failure> failure = ReadFailure(items[2]);
    if (!failure) return BadFrame("the answer's failure is not a [number, description] pair");
    answer.result = std::move(*failure);
  }
  return answer;
}

}  // namespace

Result<std::string> EncodeRequest(const InvokeRequest& request) {
  return Encode([&request](Encoder& encoder) {
    Packer& packer = encoder.packer();
    packer.pack_array(kRequestItems);
    packer.pack_uint64(request.call);
    packer.pack_uint64(request.object.value);
    packer.pack_int32(request.member);
    packer.pack_uint8(static_cast<std::uint8_t>(request.kind));
    encoder.Values(request.arguments, 0);
  });
}

Result<std::string> EncodeAnswer(const InvokeAnswer& answer) {
  return Encode([&answer](Encoder& encoder) {
    Packer& packer = encoder.packer();
    packer.pack_array(kAnswerItems);
    packer.pack_uint64(answer.call);
    if (answer.result) {
      packer.pack_true();
      encoder.Value(answer.result.value(), 0);
    } else {
      packer.pack_false();
      packer.pack_array(kPairItems);
      packer.pack_int64(answer.result.failure().number);
      encoder.Text(answer.result.failure().description);
    }
  });
}

Result<InvokeRequest> DecodeRequest(std::string_view body) { return Decode<InvokeRequest>(body, ReadRequest); }

Result<InvokeAnswer> DecodeAnswer(std::string_view body) { return Decode<InvokeAnswer>(body, ReadAnswer); }

}  // namespace korrin::host

