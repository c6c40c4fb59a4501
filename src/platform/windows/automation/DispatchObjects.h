#pragma once

#include <map>
#include <vector>

#include "platform/windows/automation/ComPointer.h"
#include "platform/windows/automation/VariantConversion.h"

namespace korrin {

// The objects of one host as the channel names them. The application is
// reference 1; every object the host returns gets the next number the first
// time it is seen, and the same number each later time (objects are told
// apart by their IUnknown, as automation defines identity). The table keeps
// a reference to each object until it goes, so a reference stays valid as
// long as the channel.
class DispatchObjects final : public ObjectMapping {
 public:
  explicit DispatchObjects(ComPointer<IDispatch> application);

  IDispatch* DispatchOf(host::ObjectReference reference) override;
  Result<host::ObjectReference> ReferenceOf(IDispatch* object) override;

  // Lets every object go (a host that is gone cannot be asked anything).
  void Clear();
  std::size_t size() const { return objects_.size(); }

 private:
  struct Entry {
    ComPointer<IDispatch> object;
    IUnknown* identity;  // compared, never called: the object keeps it alive
  };
  Result<host::ObjectReference> Add(ComPointer<IDispatch> object);

  std::vector<Entry> objects_;  // reference n is objects_[n - 1]
  std::map<IUnknown*, std::uint64_t> byIdentity_;
};

}  // namespace korrin
