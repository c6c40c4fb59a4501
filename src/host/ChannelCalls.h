#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/DispatchChannel.h"
#include "host/HostHandles.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::host {

// Which deadline a call gets: work (open, save, print ...) or a query.
enum class CallWeight { Query, Work };

// The typed host classes' one way to the channel: picks the call's deadline
// and checks that a result is of the kind the typed interface promises, so
// a host answering with the wrong kind is a failure, never a wrong value.
class ChannelCalls {
 public:
  ChannelCalls(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines);

  Result<DispatchValue> Get(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments = {});
  // The value to write comes last among the arguments.
  Status Put(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments,
             CallWeight weight = CallWeight::Query);
  Result<DispatchValue> Call(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments,
                             CallWeight weight);

  Result<std::int32_t> GetInteger(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments = {});
  Result<bool> GetBoolean(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments = {});
  Result<double> GetDouble(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments = {});
  Result<std::string> GetText(ObjectReference object, std::int32_t member, std::vector<DispatchValue> arguments = {});
  // Fails on an empty result as well: the caller needs an object.
  Result<ObjectReference> GetObject(ObjectReference object, std::int32_t member,
                                    std::vector<DispatchValue> arguments = {});

 private:
  std::chrono::milliseconds DeadlineOf(CallWeight weight) const;

  std::shared_ptr<DispatchChannel> channel_;
  CallDeadlines deadlines_;
};

// Result conversions with the automation's widening: a 16-bit integer serves
// where a 32-bit one is asked for, an integer where a double is.
Result<std::int32_t> ToInteger(const Result<DispatchValue>& value);
Result<bool> ToBoolean(const Result<DispatchValue>& value);
Result<double> ToDouble(const Result<DispatchValue>& value);
Result<std::string> ToText(const Result<DispatchValue>& value);
Result<ObjectReference> ToObject(const Result<DispatchValue>& value);
Result<DispatchArray> ToArray(const Result<DispatchValue>& value);

// A typed handle is the object reference of its object.
template <typename Kind>
ObjectReference Object(Handle<Kind> handle) {
  return ObjectReference{handle.value};
}
template <typename Kind>
DispatchValue Argument(Handle<Kind> handle) {
  return DispatchValue(ObjectReference{handle.value});
}
template <typename HandleType>
Result<HandleType> AsHandle(const Result<ObjectReference>& object) {
  if (!object) return object.failure();
  return HandleType{object.value().value};
}
inline Status AsStatus(const Result<DispatchValue>& result) {
  if (!result) return result.failure();
  return {};
}

}  // namespace korrin::host
