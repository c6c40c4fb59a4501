#include "AcadDispatcher.h"

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {
namespace {

using host::DispatchValue;
using host::InvokeKind;
namespace members = host::members;

constexpr std::uint64_t kApplication = host::kApplicationObject.value;
constexpr std::uint64_t kDocuments = 2;
constexpr std::uint64_t kActiveDocument = 3;
constexpr std::uint64_t kPreferences = 4;
constexpr std::uint64_t kState = 5;

DispatchValue Reference(std::uint64_t value) { return DispatchValue(host::ObjectReference{value}); }

DispatchValue Empty() { return DispatchValue(); }

Result<DispatchValue> FromStatus(const Status& status) {
  if (!status) return status.failure();
  return Empty();
}

template <typename T>
Result<DispatchValue> FromResult(const Result<T>& result) {
  if (!result) return result.failure();
  return DispatchValue(result.value());
}

// The one argument a member takes, of the kind it must have.
template <typename T>
Result<T> OnlyArgument(const std::vector<DispatchValue>& arguments, const char* expected) {
  if (arguments.size() != 1) return host::BadParameterCount();
  if (!arguments[0].holds<T>()) {
    return host::TypeMismatch(std::string("expected ") + expected + ", got " +
                              host::DispatchKindName(arguments[0].kind()));
  }
  return arguments[0].as<T>();
}

// A property read or an argument-less call: no arguments at all.
Status NoArguments(const std::vector<DispatchValue>& arguments) {
  if (!arguments.empty()) return host::BadParameterCount();
  return {};
}

}  // namespace

Result<DispatchValue> AcadDispatcher::Invoke(host::ObjectReference object, std::int32_t member, InvokeKind kind,
                                             const std::vector<DispatchValue>& arguments) {
  switch (object.value) {
    case kApplication: return OnApplication(member, kind, arguments);
    case kDocuments: return OnDocuments(member, kind, arguments);
    case kActiveDocument: return OnDocument(member, kind, arguments);
    case kPreferences: return OnPreferences(member, kind, arguments);
    case kState: return OnState(member, kind, arguments);
    default: return host::ObjectDisconnected();
  }
}

Result<DispatchValue> AcadDispatcher::OnApplication(std::int32_t member, InvokeKind kind,
                                                    const std::vector<DispatchValue>& arguments) {
  if (member == members::kAcadVisible && kind == InvokeKind::PropertyPut) {
    auto visible = OnlyArgument<bool>(arguments, "a Boolean");
    if (!visible) return visible.failure();
    return FromStatus(acad_.SetVisible(visible.value()));
  }
  const bool get = kind == InvokeKind::PropertyGet;
  const bool method = kind == InvokeKind::Method;
  if (get && member == members::kAcadDocuments) return ObjectOf(kDocuments, arguments);
  // With no drawing open, the calls on the active document say so.
  if (get && member == members::kAcadActiveDocument) return ObjectOf(kActiveDocument, arguments);
  if (method && member == members::kAcadGetAcadState) return ObjectOf(kState, arguments);
  if (method && member == members::kAcadUpdate) {
    if (Status none = NoArguments(arguments); !none) return none.failure();
    return FromStatus(acad_.Update());
  }
  return host::MemberNotFound();
}

// AutoCAD that has gone away hands out none of its objects.
Result<DispatchValue> AcadDispatcher::ObjectOf(std::uint64_t reference, const std::vector<DispatchValue>& arguments) {
  if (Status none = NoArguments(arguments); !none) return none.failure();
  if (auto count = acad_.DocumentCount(); !count) return count.failure();
  return Reference(reference);
}

Result<DispatchValue> AcadDispatcher::OnDocuments(std::int32_t member, InvokeKind kind,
                                                  const std::vector<DispatchValue>& arguments) {
  if (member == members::kCount && kind == InvokeKind::PropertyGet) {
    if (Status none = NoArguments(arguments); !none) return none.failure();
    return FromResult(acad_.DocumentCount());
  }
  if (member == members::kAcadOpen && kind == InvokeKind::Method) {
    auto file = OnlyArgument<std::string>(arguments, "a text");
    if (!file) return file.failure();
    return FromStatus(acad_.OpenDocument(file.value()));
  }
  return host::MemberNotFound();
}

Result<DispatchValue> AcadDispatcher::OnDocument(std::int32_t member, InvokeKind kind,
                                                 const std::vector<DispatchValue>& arguments) {
  if (member == members::kAcadPreferences && kind == InvokeKind::PropertyGet) return ObjectOf(kPreferences, arguments);
  if (member == members::kAcadClose && kind == InvokeKind::Method) {
    auto save = OnlyArgument<bool>(arguments, "a Boolean");
    if (!save) return save.failure();
    return FromStatus(acad_.CloseActiveDocument(save.value()));
  }
  return host::MemberNotFound();
}

Result<DispatchValue> AcadDispatcher::OnPreferences(std::int32_t member, InvokeKind kind,
                                                    const std::vector<DispatchValue>& arguments) {
  if (member != members::kAcadLineWeightDisplay || kind != InvokeKind::PropertyPut) return host::MemberNotFound();
  auto on = OnlyArgument<bool>(arguments, "a Boolean");
  if (!on) return on.failure();
  return FromStatus(acad_.SetLineweightDisplay(on.value()));
}

Result<DispatchValue> AcadDispatcher::OnState(std::int32_t member, InvokeKind kind,
                                              const std::vector<DispatchValue>& arguments) {
  if (member != members::kAcadIsQuiescent || kind != InvokeKind::PropertyGet) return host::MemberNotFound();
  if (Status none = NoArguments(arguments); !none) return none.failure();
  return FromResult(acad_.IsQuiescent());
}

}  // namespace korrin::standin
