#include <span>

#include "ServedMembers.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;
using host::AddInHandle;
using host::ContextHandle;
using host::DataMediumHandle;
using host::DocumentHandle;
using host::OptionMapHandle;

namespace {

Result<host::DispatchValue> AddInCount(MemberCall& call) {
  auto addIns = call.application.AddIns();
  if (!addIns) return addIns.failure();
  return host::DispatchValue(static_cast<std::int32_t>(addIns.value().size()));
}

Result<host::DispatchValue> AddInItem(MemberCall& call) {
  Result<std::int32_t> number = call.arguments.Integer(0);
  if (!number) return number.failure();
  auto addIns = call.application.AddIns();
  if (!addIns) return addIns.failure();
  if (number.value() < 1 || static_cast<std::size_t>(number.value()) > addIns.value().size()) return host::BadIndex();
  const AddInHandle addIn = addIns.value()[static_cast<std::size_t>(number.value()) - 1].addIn;
  return call.HandOut(ServedKind::AddIn, Result<AddInHandle>(addIn));
}

Result<host::DispatchValue> DisplayName(MemberCall& call) {
  auto addIns = call.application.AddIns();
  if (!addIns) return addIns.failure();
  for (const host::AddInEntry& entry : addIns.value()) {
    if (entry.addIn == call.Self<AddInHandle>()) return host::DispatchValue(entry.displayName);
  }
  return host::ObjectDisconnected();
}

// Every argument of a translator call is an object: all are checked before
// any context or medium is made for one still without its handle. Asking
// for a save's options takes the save's arguments but the medium.
constexpr ServedKind kSaveArguments[] = {ServedKind::Document, ServedKind::TranslationContext, ServedKind::OptionMap,
                                         ServedKind::DataMedium};
constexpr ServedKind kOpenArguments[] = {ServedKind::DataMedium, ServedKind::TranslationContext, ServedKind::OptionMap};

Status CheckObjects(MemberCall& call, std::span<const ServedKind> kinds) {
  std::size_t position = 0;
  for (const ServedKind kind : kinds) {
    Result<ObjectArgument> argument = call.arguments.Object(position++, kind);
    if (!argument) return argument.failure();
  }
  return {};
}

// The context and option map every translator call takes, in the order
// given: after the document or medium, before the medium of a save.
struct TranslatorObjects {
  ContextHandle context;
  OptionMapHandle options;
};

Result<TranslatorObjects> ContextAndOptions(MemberCall& call, std::size_t contextPosition) {
  Result<ContextHandle> context = call.HandleArgument<ContextHandle>(contextPosition, ServedKind::TranslationContext);
  if (!context) return context.failure();
  Result<OptionMapHandle> options = call.HandleArgument<OptionMapHandle>(contextPosition + 1, ServedKind::OptionMap);
  if (!options) return options.failure();
  return TranslatorObjects{context.value(), options.value()};
}

Result<host::DispatchValue> HasSaveCopyAsOptions(MemberCall& call) {
  if (Status checked = CheckObjects(call, std::span(kSaveArguments).first(3)); !checked) {
    return checked.failure();
  }
  Result<DocumentHandle> document = call.HandleArgument<DocumentHandle>(0, ServedKind::Document);
  if (!document) return document.failure();
  Result<TranslatorObjects> objects = ContextAndOptions(call, 1);
  if (!objects) return objects.failure();
  return Answer(call.application.translators().HasSaveCopyAsOptions(
      call.Self<AddInHandle>(), document.value(), objects.value().context, objects.value().options));
}

Result<host::DispatchValue> SaveCopyAs(MemberCall& call) {
  if (Status checked = CheckObjects(call, kSaveArguments); !checked) {
    return checked.failure();
  }
  Result<DocumentHandle> document = call.HandleArgument<DocumentHandle>(0, ServedKind::Document);
  if (!document) return document.failure();
  Result<TranslatorObjects> objects = ContextAndOptions(call, 1);
  if (!objects) return objects.failure();
  Result<DataMediumHandle> medium = call.HandleArgument<DataMediumHandle>(3, ServedKind::DataMedium);
  if (!medium) return medium.failure();
  return Answer(call.application.translators().SaveCopyAs(call.Self<AddInHandle>(), document.value(),
                                                          objects.value().context, objects.value().options,
                                                          medium.value()));
}

Result<host::DispatchValue> HasOpenOptions(MemberCall& call) {
  if (Status checked = CheckObjects(call, kOpenArguments); !checked) {
    return checked.failure();
  }
  Result<DataMediumHandle> medium = call.HandleArgument<DataMediumHandle>(0, ServedKind::DataMedium);
  if (!medium) return medium.failure();
  Result<TranslatorObjects> objects = ContextAndOptions(call, 1);
  if (!objects) return objects.failure();
  return Answer(call.application.translators().HasOpenOptions(call.Self<AddInHandle>(), medium.value(),
                                                              objects.value().context, objects.value().options));
}

// The host's out argument, the new document, is the result.
Result<host::DispatchValue> TranslatorOpen(MemberCall& call) {
  if (Status checked = CheckObjects(call, kOpenArguments); !checked) {
    return checked.failure();
  }
  Result<DataMediumHandle> medium = call.HandleArgument<DataMediumHandle>(0, ServedKind::DataMedium);
  if (!medium) return medium.failure();
  Result<TranslatorObjects> objects = ContextAndOptions(call, 1);
  if (!objects) return objects.failure();
  return call.HandOut(ServedKind::Document,
                      call.application.translators().Open(call.Self<AddInHandle>(), medium.value(),
                                                          objects.value().context, objects.value().options));
}

}  // namespace

void AddAddInMembers(MemberTable& table) {
  table.Get(ServedKind::AddIns, members::kCount, 0, AddInCount);
  table.Get(ServedKind::AddIns, members::kItem, 1, AddInItem);
  constexpr ServedKind kAddIn = ServedKind::AddIn;
  table.Get(kAddIn, members::kAddInDisplayName, 0, DisplayName);
  table.Method(kAddIn, members::kActivateAddIn, 0,
               [](MemberCall& call) { return Answer(call.application.ActivateAddIn(call.Self<AddInHandle>())); });
  table.Method(kAddIn, members::kHasSaveCopyAsOptions, 3, HasSaveCopyAsOptions);
  table.Method(kAddIn, members::kTranslatorSaveCopyAs, 4, SaveCopyAs);
  table.Method(kAddIn, members::kHasOpenOptions, 3, HasOpenOptions);
  table.Method(kAddIn, members::kTranslatorOpen, 3, TranslatorOpen);
}

}  // namespace korrin::standin
