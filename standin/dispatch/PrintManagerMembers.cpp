#include "ServedMembers.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;
using host::PrintManagerHandle;

namespace {

// The typed call on the invoked print manager, without an argument or with
// the one argument read as the call takes it.
template <auto TypedCall>
Result<host::DispatchValue> Call(MemberCall& call) {
  return Answer((call.application.printManagers().*TypedCall)(call.Self<PrintManagerHandle>()));
}

template <auto Read, auto TypedCall>
Result<host::DispatchValue> CallWith(MemberCall& call) {
  auto value = (call.arguments.*Read)(0);
  if (!value) return value.failure();
  return Answer((call.application.printManagers().*TypedCall)(call.Self<PrintManagerHandle>(), value.value()));
}

using Managers = host::PrintManagers;
constexpr auto kInteger = &ArgumentReader::Integer;
constexpr auto kDouble = &ArgumentReader::Double;
constexpr auto kBoolean = &ArgumentReader::Boolean;
constexpr auto kText = &ArgumentReader::Text;

}  // namespace

void AddPrintManagerMembers(MemberTable& table) {
  constexpr ServedKind kManager = ServedKind::PrintManager;
  table.Put(kManager, members::kPrinter, 1, CallWith<kText, &Managers::SetPrinter>);
  table.Get(kManager, members::kOrientation, 0, Call<&Managers::Orientation>);
  table.Put(kManager, members::kOrientation, 1, CallWith<kInteger, &Managers::SetOrientation>);
  table.Get(kManager, members::kPaperSize, 0, Call<&Managers::PaperSize>);
  table.Put(kManager, members::kPaperSize, 1, CallWith<kInteger, &Managers::SetPaperSize>);
  table.Put(kManager, members::kCustomPaperWidth, 1, CallWith<kDouble, &Managers::SetCustomPaperWidth>);
  table.Put(kManager, members::kCustomPaperHeight, 1, CallWith<kDouble, &Managers::SetCustomPaperHeight>);
  table.Put(kManager, members::kColorMode, 1, CallWith<kInteger, &Managers::SetColorMode>);
  table.Method(kManager, members::kPrintToFile, 1, CallWith<kText, &Managers::PrintToFile>);
  table.Method(kManager, members::kSubmitPrint, 0, Call<&Managers::SubmitPrint>);
  table.Put(kManager, members::kPrintMode, 1, CallWith<kInteger, &Managers::SetPrintMode>);
  table.Put(kManager, members::kPrintRange, 1, CallWith<kInteger, &Managers::SetPrintRange>);
  table.Get(kManager, members::kScale, 0, Call<&Managers::Scale>);
  table.Put(kManager, members::kScale, 1, CallWith<kDouble, &Managers::SetScale>);
  table.Get(kManager, members::kRotate90Degrees, 0, Call<&Managers::Rotate90Degrees>);
  table.Put(kManager, members::kRotate90Degrees, 1, CallWith<kBoolean, &Managers::SetRotate90Degrees>);
}

}  // namespace korrin::standin
