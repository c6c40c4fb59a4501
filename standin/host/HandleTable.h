#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "host/HostHandles.h"
#include "ports/Result.h"

namespace korrin::standin {

// The failure of a call on a handle whose object is gone or never was.
inline constexpr long kNoSuchObject = -2147467261;  // the host's "invalid pointer" number

// The objects of one kind a host hands out, by handle. Numbers come from a
// counter the host shares among its tables, so no two objects of any kind
// share a number and a stale handle never finds a newer object.
template <typename Handle, typename Object>
class HandleTable {
 public:
  explicit HandleTable(std::uint64_t& counter, std::string kind) : counter_(counter), kind_(std::move(kind)) {}

  Handle Add(Object object) {
    const Handle handle{++counter_};
    objects_.emplace(handle.value, std::move(object));
    return handle;
  }

  Result<Object*> Find(Handle handle) {
    const auto found = objects_.find(handle.value);
    if (found == objects_.end()) return Failure{kNoSuchObject, "The " + kind_ + " is not available."};
    return &found->second;
  }

  bool Remove(Handle handle) { return objects_.erase(handle.value) != 0; }
  void Clear() { objects_.clear(); }
  std::size_t size() const { return objects_.size(); }

  auto begin() { return objects_.begin(); }
  auto end() { return objects_.end(); }

 private:
  std::uint64_t& counter_;
  std::string kind_;
  std::map<std::uint64_t, Object> objects_;
};

}  // namespace korrin::standin
