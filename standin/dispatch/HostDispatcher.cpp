#include "HostDispatcher.h"

#include "ServedMembers.h"

namespace korrin::standin {

HostDispatcher::HostDispatcher(host::Application& application) : application_(application) {
  AddApplicationMembers(members_);
  AddDocumentMembers(members_);
  AddSheetMembers(members_);
  AddViewMembers(members_);
  AddAddInMembers(members_);
  AddTransientMembers(members_);
  AddPrintManagerMembers(members_);
}

Result<host::DispatchValue> HostDispatcher::Invoke(host::ObjectReference object, std::int32_t member,
                                                   host::InvokeKind kind,
                                                   const std::vector<host::DispatchValue>& arguments) {
  Result<ServedObject> served = objects_.Find(object);
  if (!served) return served.failure();
  Result<MemberHandler> handler = members_.Find(served.value().kind, member, kind, arguments.size());
  if (!handler) return handler.failure();
  MemberCall call(application_, objects_, object, served.value(), arguments);
  return handler.value()(call);
}

}  // namespace korrin::standin
