#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>

#include "MemberCall.h"
#include "ServedObject.h"
#include "host/DispatchChannel.h"
#include "ports/Result.h"

namespace korrin::standin {

using MemberHandler = Result<host::DispatchValue> (*)(MemberCall& call);

// The members of every served kind of object: for each kind, member id and
// way of invoking (a property read, a property write or a method), how many
// arguments it takes and what serves it.
class MemberTable {
 public:
  // A property write takes the value to write last among its arguments.
  void Get(ServedKind kind, std::int32_t member, std::size_t arguments, MemberHandler handler);
  void Put(ServedKind kind, std::int32_t member, std::size_t arguments, MemberHandler handler);
  void Method(ServedKind kind, std::int32_t member, std::size_t arguments, MemberHandler handler);
  // A method whose last arguments may be left out.
  void Method(ServedKind kind, std::int32_t member, std::size_t fewest, std::size_t most, MemberHandler handler);

  // Fails with MemberNotFound when the kind has no such member or not for
  // that way of invoking, with BadParameterCount when the count is wrong.
  Result<MemberHandler> Find(ServedKind kind, std::int32_t member, host::InvokeKind invoke,
                             std::size_t argumentCount) const;

 private:
  struct Entry {
    std::size_t fewest = 0;
    std::size_t most = 0;
    MemberHandler handler = nullptr;
  };
  using Key = std::tuple<ServedKind, std::int32_t, host::InvokeKind>;

  void Add(Key key, Entry entry);

  std::map<Key, Entry> entries_;
};

}  // namespace korrin::standin
