#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "ArgumentReader.h"
#include "ServedObject.h"
#include "ServedObjectTable.h"
#include "host/Application.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::standin {

// One invoke as a member of the served objects sees it: the application it
// calls, the object invoked and its arguments, and the table through which
// the objects it returns are handed out.
class MemberCall {
 public:
  MemberCall(host::Application& application, ServedObjectTable& objects, host::ObjectReference reference,
             const ServedObject& object, const std::vector<host::DispatchValue>& arguments)
      : application(application), arguments(arguments, objects), objects_(objects), reference_(reference),
        object_(object) {}

  host::Application& application;
  const ArgumentReader arguments;

  const ServedObject& object() const { return object_; }
  host::ObjectReference reference() const { return reference_; }

  // The invoked object's handle as the typed interface takes it.
  template <typename Handle>
  Handle Self() const {
    return Handle{object_.handle};
  }
  // The owner's handle: the document of a file descriptor.
  template <typename Handle>
  Handle Owner() const {
    return Handle{object_.owner};
  }

  // The object a typed call returned, handed out as a reference; a handle
  // that names nothing goes back as object 0.
  template <typename Handle>
  Result<host::DispatchValue> HandOut(ServedKind kind, const Result<Handle>& handle, std::uint64_t owner = 0) {
    if (!handle) return handle.failure();
    if (!handle.value()) return host::DispatchValue(host::ObjectReference{0});
    return host::DispatchValue(objects_.ReferenceOf({kind, handle.value().value, owner}));
  }
  // An object with no typed handle of its own (a collection, a border):
  // the object it belongs to stands for it.
  Result<host::DispatchValue> HandOutPart(ServedKind kind, std::uint64_t belongsTo) {
    return host::DispatchValue(objects_.ReferenceOf({kind, belongsTo, 0}));
  }
  // A transient object made on request: a new reference every time.
  Result<host::DispatchValue> HandOutNew(ServedKind kind) {
    return host::DispatchValue(objects_.AddNew({kind, 0, 0}));
  }
  // Makes the invoked object's handle, for the objects made before it can be.
  void BindSelf(std::uint64_t handle) { objects_.Bind(reference_, handle); }

  // An object argument as the typed handle; a translation context or data
  // medium still without a handle gets one as the host's defaults make it.
  template <typename Handle>
  Result<Handle> HandleArgument(std::size_t position, ServedKind kind);

 private:
  Result<std::uint64_t> BoundHandle(const ObjectArgument& argument);

  ServedObjectTable& objects_;
  host::ObjectReference reference_;
  ServedObject object_;
};

template <typename Handle>
Result<Handle> MemberCall::HandleArgument(std::size_t position, ServedKind kind) {
  Result<ObjectArgument> argument = arguments.Object(position, kind);
  if (!argument) return argument.failure();
  Result<std::uint64_t> handle = BoundHandle(argument.value());
  if (!handle) return handle.failure();
  return Handle{handle.value()};
}

// A typed call's value as the invoke's result; a call without one gives an
// empty value.
template <typename T>
Result<host::DispatchValue> Answer(const Result<T>& result) {
  if (!result) return result.failure();
  return host::DispatchValue(result.value());
}
inline Result<host::DispatchValue> Answer(const Status& status) {
  if (!status) return status.failure();
  return host::DispatchValue();
}

}  // namespace korrin::standin
