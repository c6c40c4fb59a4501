#include "host/ChannelSheets.h"

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::host {

Status ChannelSheets::Activate(SheetHandle sheet) {
  return AsStatus(calls_.Call(Object(sheet), members::kActivateSheet, {}, CallWeight::Query));
}

Result<double> ChannelSheets::Width(SheetHandle sheet) { return calls_.GetDouble(Object(sheet), members::kSheetWidth); }

Result<double> ChannelSheets::Height(SheetHandle sheet) {
  return calls_.GetDouble(Object(sheet), members::kSheetHeight);
}

Result<std::int32_t> ChannelSheets::SizeCode(SheetHandle sheet) {
  return calls_.GetInteger(Object(sheet), members::kSheetSizeCode);
}

// A border or title block the sheet lacks reads as an empty value.
Result<bool> ChannelSheets::HasPart(SheetHandle sheet, std::int32_t part) {
  Result<DispatchValue> value = calls_.Get(Object(sheet), part);
  if (!value) return value.failure();
  if (value.value().kind() == DispatchKind::Empty) return false;
  Result<ObjectReference> object = ToObject(value);
  if (!object) return object.failure();
  return true;
}

// A part the sheet lacks reads as an empty value; deleting it fails as the
// host's own delete does, not as an answer of the wrong kind.
Status ChannelSheets::DeletePart(SheetHandle sheet, std::int32_t part, std::int32_t deleteMember,
                                 const char* partName) {
  Result<DispatchValue> value = calls_.Get(Object(sheet), part);
  if (!value) return value.failure();
  if (value.value().kind() == DispatchKind::Empty) {
    return Failure{kUnspecifiedFailure, std::string("The sheet has no ") + partName + "."};
  }
  Result<ObjectReference> object = ToObject(value);
  if (!object) return object.failure();
  return AsStatus(calls_.Call(object.value(), deleteMember, {}, CallWeight::Query));
}

Result<bool> ChannelSheets::HasBorder(SheetHandle sheet) { return HasPart(sheet, members::kBorder); }

Status ChannelSheets::DeleteBorder(SheetHandle sheet) {
  return DeletePart(sheet, members::kBorder, members::kDeleteBorder, "border");
}

Result<bool> ChannelSheets::HasTitleBlock(SheetHandle sheet) { return HasPart(sheet, members::kTitleBlock); }

Status ChannelSheets::DeleteTitleBlock(SheetHandle sheet) {
  return DeletePart(sheet, members::kTitleBlock, members::kDeleteTitleBlock, "title block");
}

Result<std::int32_t> ChannelSheets::StatusWord(SheetHandle sheet) {
  return calls_.GetInteger(Object(sheet), members::kSheetStatus);
}

Result<bool> ChannelSheets::ExcludedFromPrinting(SheetHandle sheet) {
  return calls_.GetBoolean(Object(sheet), members::kExcludedFromPrinting);
}

}  // namespace korrin::host
