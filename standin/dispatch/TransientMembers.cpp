#include <variant>

#include "ServedMembers.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;
using host::OptionMapHandle;

namespace {

// The typed interface makes a context with its kind and a medium with its
// file name, while a client makes the object first and sets them after: the
// object gets its handle when they are set, a new one at every setting.
Result<host::DispatchValue> SetContextKind(MemberCall& call) {
  Result<std::int32_t> kind = call.arguments.Integer(0);
  if (!kind) return kind.failure();
  Result<host::ContextHandle> context = call.application.NewTranslationContext(kind.value());
  if (!context) return context.failure();
  call.BindSelf(context.value().value);
  return host::DispatchValue();
}

Result<host::DispatchValue> SetMediumFileName(MemberCall& call) {
  Result<std::string> name = call.arguments.Text(0);
  if (!name) return name.failure();
  Result<host::DataMediumHandle> medium = call.application.NewDataMedium(name.value());
  if (!medium) return medium.failure();
  call.BindSelf(medium.value().value);
  return host::DispatchValue();
}

Result<host::DispatchValue> OptionName(MemberCall& call) {
  Result<std::int32_t> number = call.arguments.Integer(0);
  if (!number) return number.failure();
  return Answer(call.application.OptionName(call.Self<OptionMapHandle>(), number.value()));
}

Result<host::DispatchValue> GetOption(MemberCall& call) {
  Result<std::string> name = call.arguments.Text(0);
  if (!name) return name.failure();
  Result<host::OptionValue> value = call.application.GetOption(call.Self<OptionMapHandle>(), name.value());
  if (!value) return value.failure();
  return std::visit([](const auto& alternative) { return host::DispatchValue(alternative); }, value.value());
}

Result<host::DispatchValue> SetOption(MemberCall& call) {
  Result<std::string> name = call.arguments.Text(0);
  if (!name) return name.failure();
  Result<host::OptionValue> value = call.arguments.Option(1);
  if (!value) return value.failure();
  return Answer(call.application.SetOption(call.Self<OptionMapHandle>(), name.value(), value.value()));
}

}  // namespace

void AddTransientMembers(MemberTable& table) {
  constexpr ServedKind kTransient = ServedKind::TransientObjects;
  table.Method(kTransient, members::kNewTranslationContext, 0,
               [](MemberCall& call) { return call.HandOutNew(ServedKind::TranslationContext); });
  table.Method(kTransient, members::kNewDataMedium, 0,
               [](MemberCall& call) { return call.HandOutNew(ServedKind::DataMedium); });
  table.Method(kTransient, members::kNewOptionMap, 0,
               [](MemberCall& call) { return call.HandOut(ServedKind::OptionMap, call.application.NewOptionMap()); });
  table.Put(ServedKind::TranslationContext, members::kContextKind, 1, SetContextKind);
  table.Put(ServedKind::DataMedium, members::kMediumFileName, 1, SetMediumFileName);
  constexpr ServedKind kOptions = ServedKind::OptionMap;
  table.Get(kOptions, members::kCount, 0,
            [](MemberCall& call) { return Answer(call.application.OptionCount(call.Self<OptionMapHandle>())); });
  table.Get(kOptions, members::kOptionName, 1, OptionName);
  table.Get(kOptions, members::kOptionValue, 1, GetOption);
  table.Put(kOptions, members::kOptionValue, 2, SetOption);
}

}  // namespace korrin::standin
