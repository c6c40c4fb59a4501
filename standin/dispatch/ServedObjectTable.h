#pragma once

#include <cstdint>
#include <map>

#include "ServedObject.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::standin {

// The objects a dispatcher has handed out, by reference. The application is
// kApplicationObject from the start. An object handed out again gets the
// reference it got the first time, so a client may compare references as
// it compares handles, and fetching a collection on every use does not grow
// the table. References are never reused: one whose object is gone keeps
// naming it, and the calls on it fail as the application fails them.
class ServedObjectTable {
 public:
  ServedObjectTable();

  host::ObjectReference ReferenceOf(const ServedObject& object);
  // A reference of its own for every call: for objects made on request.
  host::ObjectReference AddNew(const ServedObject& object);
  // Fails with ObjectDisconnected for a reference never handed out.
  Result<ServedObject> Find(host::ObjectReference reference) const;
  // Gives an object made without a handle the handle made for it later.
  void Bind(host::ObjectReference reference, std::uint64_t handle);

  std::size_t size() const { return objects_.size(); }

 private:
  std::uint64_t last_;
  std::map<std::uint64_t, ServedObject> objects_;
  std::map<ServedObject, std::uint64_t> references_;
};

}  // namespace korrin::standin
