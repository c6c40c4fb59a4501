#include "host/ChannelCalls.h"

#include <utility>

#include "host/ChannelFailures.h"

namespace korrin::host {

namespace {

Failure WrongKind(const char* expected, const DispatchValue& value) {
  return TypeMismatch(std::string("expected ") + expected + ", got " + DispatchKindName(value.kind()));
}

}  // namespace

ChannelCalls::ChannelCalls(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines)
    : channel_(std::move(channel)), deadlines_(deadlines) {}

std::chrono::milliseconds ChannelCalls::DeadlineOf(CallWeight weight) const {
  return weight == CallWeight::Work ? deadlines_.work : deadlines_.query;
}

Result<DispatchValue> ChannelCalls::Get(ObjectReference object, std::int32_t member,
                                        std::vector<DispatchValue> arguments) {
  return channel_->Invoke(object, member, InvokeKind::PropertyGet, arguments, deadlines_.query);
}

Status ChannelCalls::Put(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments,
                         CallWeight weight) {
  Result<DispatchValue> result = channel_->Invoke(object, member, InvokeKind::PropertyPut, arguments, DeadlineOf(weight));
  if (!result) return result.failure();
  return {};
}

Result<DispatchValue> ChannelCalls::Call(ObjectReference object, std::int32_t member,
                                         std::vector<DispatchValue> arguments, CallWeight weight) {
  return channel_->Invoke(object, member, InvokeKind::Method, arguments, DeadlineOf(weight));
}

Result<std::int32_t> ChannelCalls::GetInteger(ObjectReference object, std::int32_t member,
                                              std::vector<DispatchValue> arguments) {
  return ToInteger(Get(object, member, std::move(arguments)));
}

Result<bool> ChannelCalls::GetBoolean(ObjectReference object, std::int32_t member,
                                      std::vector<DispatchValue> arguments) {
  return ToBoolean(Get(object, member, std::move(arguments)));
}

Result<double> ChannelCalls::GetDouble(ObjectReference object, std::int32_t member,
                                       std::vector<DispatchValue> arguments) {
  return ToDouble(Get(object, member, std::move(arguments)));
}

Result<std::string> ChannelCalls::GetText(ObjectReference object, std::int32_t member,
                                          std::vector<DispatchValue> arguments) {
  return ToText(Get(object, member, std::move(arguments)));
}

Result<ObjectReference> ChannelCalls::GetObject(ObjectReference object, std::int32_t member,
                                                std::vector<DispatchValue> arguments) {
  return ToObject(Get(object, member, std::move(arguments)));
}

Result<std::int32_t> ToInteger(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  if (value.value().holds<std::int32_t>()) return value.value().as<std::int32_t>();
  if (value.value().holds<std::int16_t>()) return static_cast<std::int32_t>(value.value().as<std::int16_t>());
  return WrongKind("32-bit integer", value.value());
}

Result<bool> ToBoolean(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  if (value.value().holds<bool>()) return value.value().as<bool>();
  return WrongKind("Boolean", value.value());
}

Result<double> ToDouble(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  if (value.value().holds<double>()) return value.value().as<double>();
  Result<std::int32_t> integer = ToInteger(value);
  if (integer) return static_cast<double>(integer.value());
  return WrongKind("double", value.value());
}

Result<std::string> ToText(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  if (value.value().holds<std::string>()) return value.value().as<std::string>();
  return WrongKind("text", value.value());
}

Result<ObjectReference> ToObject(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  if (!value.value().holds<ObjectReference>()) return WrongKind("object", value.value());
  if (value.value().as<ObjectReference>().value == 0) return TypeMismatch("expected object, got object 0");
  return value.value().as<ObjectReference>();
}

Result<DispatchArray> ToArray(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  if (value.value().holds<DispatchArray>()) return value.value().as<DispatchArray>();
  return WrongKind("array", value.value());
}

}  // namespace korrin::host
