#pragma once

#include <cstdint>
#include <vector>

#include "MemberTable.h"
#include "ServedObjectTable.h"
#include "host/Application.h"
#include "host/DispatchChannel.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::standin {

// The host's end of the dispatch channel: serves the invokes the client's
// typed classes make, over any implementation of the typed interface. It
// hands out a reference for every object the client reaches and calls
// each member on its object by the object's kind.
//
// Invoke fails with ObjectDisconnected on a reference it never handed out,
// MemberNotFound on a member the object's kind lacks (or lacks for that way
// of invoking), BadParameterCount on a wrong number of arguments,
// TypeMismatch on an argument of the wrong kind and BadIndex on an item
// number outside its collection. The application's own failures come back
// unchanged. No input makes it crash or read outside what it was given.
class HostDispatcher {
 public:
  explicit HostDispatcher(host::Application& application);

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments);

  // How many objects have references, the application among them.
  std::size_t objectCount() const { return objects_.size(); }

 private:
  host::Application& application_;
  ServedObjectTable objects_;
  MemberTable members_;
};

}  // namespace korrin::standin
