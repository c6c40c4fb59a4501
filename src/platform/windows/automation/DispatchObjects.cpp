#include "platform/windows/automation/DispatchObjects.h"

#include "platform/windows/automation/ComText.h"

namespace korrin {

DispatchObjects::DispatchObjects(ComPointer<IDispatch> application) { (void)Add(std::move(application)); }

IDispatch* DispatchObjects::DispatchOf(host::ObjectReference reference) {
  if (reference.value == 0 || reference.value > objects_.size()) return nullptr;
  return objects_[reference.value - 1].object.get();
}

Result<host::ObjectReference> DispatchObjects::ReferenceOf(IDispatch* object) {
  return Add(ComPointer<IDispatch>::Share(object));
}

Result<host::ObjectReference> DispatchObjects::Add(ComPointer<IDispatch> object) {
  ComPointer<IUnknown> identity;
  const HRESULT asked = object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Receive()));
  if (FAILED(asked)) return FailureOf(asked);
  if (const auto known = byIdentity_.find(identity.get()); known != byIdentity_.end()) {
    return host::ObjectReference{known->second};
  }
  objects_.push_back({std::move(object), identity.get()});
  const std::uint64_t reference = objects_.size();
  byIdentity_.emplace(identity.get(), reference);
  return host::ObjectReference{reference};
}

void DispatchObjects::Clear() {
  byIdentity_.clear();
  objects_.clear();
}

}  // namespace korrin
