#include "MemberCall.h"

#include "host/HostCodes.h"

namespace korrin::standin {

Result<std::uint64_t> MemberCall::BoundHandle(const ObjectArgument& argument) {
  if (argument.object.handle != 0) return argument.object.handle;
  std::uint64_t made = 0;
  if (argument.object.kind == ServedKind::TranslationContext) {
    Result<host::ContextHandle> context = application.NewTranslationContext(host::kUnspecifiedContext);
    if (!context) return context.failure();
    made = context.value().value;
  } else if (argument.object.kind == ServedKind::DataMedium) {
    Result<host::DataMediumHandle> medium = application.NewDataMedium("");
    if (!medium) return medium.failure();
    made = medium.value().value;
  }
  objects_.Bind(argument.reference, made);
  return made;
}

}  // namespace korrin::standin
