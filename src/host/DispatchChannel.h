#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::host {

// How a member is invoked, as automation tells them apart: the same member
// id reads a property, writes it, or calls a method.
enum class InvokeKind { Method, PropertyGet, PropertyPut };

// The application object of a host; every other object is reached from it.
inline constexpr ObjectReference kApplicationObject{1};

// The port through which the typed host classes reach a host in another
// process. Invoke calls one member of one object and returns its result or
// the host's failure. It returns within the deadline: a host that has not
// answered by then fails the call with kCallTimedOut, and the channel stays
// broken, so every later call fails at once (a late answer is never taken
// for a later call's). A host that is gone fails with kServerUnavailable.
// Called from the user-interface thread; an implementation that waits lets
// window events run meanwhile.
class DispatchChannel {
 public:
  virtual ~DispatchChannel() = default;

  virtual Result<DispatchValue> Invoke(ObjectReference object, std::int32_t member, InvokeKind kind,
                                       const std::vector<DispatchValue>& arguments,
                                       std::chrono::milliseconds deadline) = 0;
};

// The two deadlines of host calls: the calls that do work (open, close,
// save, translator runs, bitmaps, print submissions, quit) and the others.
struct CallDeadlines {
  std::chrono::milliseconds work{std::chrono::seconds(600)};
  std::chrono::milliseconds query{std::chrono::seconds(30)};
};

}  // namespace korrin::host
