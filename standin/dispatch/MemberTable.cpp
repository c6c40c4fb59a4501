#include "MemberTable.h"

#include "host/ChannelFailures.h"

namespace korrin::standin {

void MemberTable::Get(ServedKind kind, std::int32_t member, std::size_t arguments, MemberHandler handler) {
  Add({kind, member, host::InvokeKind::PropertyGet}, {arguments, arguments, handler});
}

void MemberTable::Put(ServedKind kind, std::int32_t member, std::size_t arguments, MemberHandler handler) {
  Add({kind, member, host::InvokeKind::PropertyPut}, {arguments, arguments, handler});
}

void MemberTable::Method(ServedKind kind, std::int32_t member, std::size_t arguments, MemberHandler handler) {
  Add({kind, member, host::InvokeKind::Method}, {arguments, arguments, handler});
}

void MemberTable::Method(ServedKind kind, std::int32_t member, std::size_t fewest, std::size_t most,
                         MemberHandler handler) {
  Add({kind, member, host::InvokeKind::Method}, {fewest, most, handler});
}

void MemberTable::Add(Key key, Entry entry) { entries_.insert_or_assign(key, entry); }

Result<MemberHandler> MemberTable::Find(ServedKind kind, std::int32_t member, host::InvokeKind invoke,
                                        std::size_t argumentCount) const {
  const auto found = entries_.find({kind, member, invoke});
  if (found == entries_.end()) return host::MemberNotFound();
  if (argumentCount < found->second.fewest || argumentCount > found->second.most) return host::BadParameterCount();
  return found->second.handler;
}

}  // namespace korrin::standin
