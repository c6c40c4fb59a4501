#include "ServedObjectTable.h"

#include "host/ChannelFailures.h"
#include "host/DispatchChannel.h"

namespace korrin::standin {

ServedObjectTable::ServedObjectTable() : last_(host::kApplicationObject.value) {
  const ServedObject application{ServedKind::Application, 0, 0};
  objects_.emplace(last_, application);
  references_.emplace(application, last_);
}

host::ObjectReference ServedObjectTable::ReferenceOf(const ServedObject& object) {
  const auto known = references_.find(object);
  if (known != references_.end()) return {known->second};
  const host::ObjectReference reference = AddNew(object);
  references_.emplace(object, reference.value);
  return reference;
}

host::ObjectReference ServedObjectTable::AddNew(const ServedObject& object) {
  objects_.emplace(++last_, object);
  return {last_};
}

Result<ServedObject> ServedObjectTable::Find(host::ObjectReference reference) const {
  const auto found = objects_.find(reference.value);
  if (found == objects_.end()) return host::ObjectDisconnected();
  return found->second;
}

void ServedObjectTable::Bind(host::ObjectReference reference, std::uint64_t handle) {
  const auto found = objects_.find(reference.value);
  if (found != objects_.end()) found->second.handle = handle;
}

}  // namespace korrin::standin
