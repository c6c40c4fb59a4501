#include "ServedMembers.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;
using host::SheetHandle;

namespace {

// A border or title block the sheet lacks reads as an empty value.
Result<host::DispatchValue> Part(MemberCall& call, ServedKind part, Result<bool> present) {
  if (!present) return present.failure();
  if (!present.value()) return host::DispatchValue();
  return call.HandOutPart(part, call.object().handle);
}

}  // namespace

void AddSheetMembers(MemberTable& table) {
  constexpr ServedKind kSheet = ServedKind::Sheet;
  table.Method(kSheet, members::kActivateSheet, 0, [](MemberCall& call) {
    return Answer(call.application.sheets().Activate(call.Self<SheetHandle>()));
  });
  table.Get(kSheet, members::kSheetWidth, 0,
            [](MemberCall& call) { return Answer(call.application.sheets().Width(call.Self<SheetHandle>())); });
  table.Get(kSheet, members::kSheetHeight, 0,
            [](MemberCall& call) { return Answer(call.application.sheets().Height(call.Self<SheetHandle>())); });
  table.Get(kSheet, members::kSheetSizeCode, 0,
            [](MemberCall& call) { return Answer(call.application.sheets().SizeCode(call.Self<SheetHandle>())); });
  table.Get(kSheet, members::kSheetStatus, 0,
            [](MemberCall& call) { return Answer(call.application.sheets().StatusWord(call.Self<SheetHandle>())); });
  table.Get(kSheet, members::kExcludedFromPrinting, 0, [](MemberCall& call) {
    return Answer(call.application.sheets().ExcludedFromPrinting(call.Self<SheetHandle>()));
  });
  table.Get(kSheet, members::kBorder, 0, [](MemberCall& call) {
    return Part(call, ServedKind::Border, call.application.sheets().HasBorder(call.Self<SheetHandle>()));
  });
  table.Get(kSheet, members::kTitleBlock, 0, [](MemberCall& call) {
    return Part(call, ServedKind::TitleBlock, call.application.sheets().HasTitleBlock(call.Self<SheetHandle>()));
  });
  table.Method(ServedKind::Border, members::kDeleteBorder, 0, [](MemberCall& call) {
    return Answer(call.application.sheets().DeleteBorder(call.Self<SheetHandle>()));
  });
  table.Method(ServedKind::TitleBlock, members::kDeleteTitleBlock, 0, [](MemberCall& call) {
    return Answer(call.application.sheets().DeleteTitleBlock(call.Self<SheetHandle>()));
  });
}

}  // namespace korrin::standin
