#pragma once

#include "host/ChannelCalls.h"
#include "host/Documents.h"

namespace korrin::host {

// The sheets of open drawings behind a dispatch channel.
class ChannelSheets : public Sheets {
 public:
  explicit ChannelSheets(ChannelCalls& calls) : calls_(calls) {}

  Status Activate(SheetHandle sheet) override;
  Result<double> Width(SheetHandle sheet) override;
  Result<double> Height(SheetHandle sheet) override;
  Result<std::int32_t> SizeCode(SheetHandle sheet) override;
  Result<bool> HasBorder(SheetHandle sheet) override;
  Status DeleteBorder(SheetHandle sheet) override;
  Result<bool> HasTitleBlock(SheetHandle sheet) override;
  Status DeleteTitleBlock(SheetHandle sheet) override;
  Result<std::int32_t> StatusWord(SheetHandle sheet) override;
  Result<bool> ExcludedFromPrinting(SheetHandle sheet) override;

 private:
  Result<bool> HasPart(SheetHandle sheet, std::int32_t part);
  Status DeletePart(SheetHandle sheet, std::int32_t part, std::int32_t deleteMember, const char* partName);

  ChannelCalls& calls_;
};

}  // namespace korrin::host
