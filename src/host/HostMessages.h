#pragma once

#include <cstdint>
#include <vector>

#include "host/DispatchChannel.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::host {

// The two messages between a client and a host program. A client numbers
// its calls from 1; the answer carries the number of the call it answers, so
// a late answer cannot pass for another call's. Call number 0 answers no
// call: the host's word on the connection itself (busy with another client,
// a frame it could not read), always a failure.
struct InvokeRequest {
  std::uint64_t call = 0;
  ObjectReference object;
  std::int32_t member = 0;
  InvokeKind kind = InvokeKind::Method;
  std::vector<DispatchValue> arguments;

  bool operator==(const InvokeRequest&) const = default;
};

inline constexpr std::uint64_t kConnectionCall = 0;

struct InvokeAnswer {
  std::uint64_t call = 0;
  Result<DispatchValue> result = DispatchValue();
};

}  // namespace korrin::host
