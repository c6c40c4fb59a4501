#pragma once

#include "host/ChannelCalls.h"
#include "host/PrintManagers.h"

namespace korrin::host {

// The print managers of a host behind a dispatch channel.
class ChannelPrintManagers : public PrintManagers {
 public:
  explicit ChannelPrintManagers(ChannelCalls& calls) : calls_(calls) {}

  Result<PrintManagerHandle> PrintManager(DocumentHandle document) override;
  Status SetPrinter(PrintManagerHandle manager, const std::string& printer) override;
  Result<std::int32_t> Orientation(PrintManagerHandle manager) override;
  Status SetOrientation(PrintManagerHandle manager, std::int32_t orientation) override;
  Result<std::int32_t> PaperSize(PrintManagerHandle manager) override;
  Status SetPaperSize(PrintManagerHandle manager, std::int32_t paper) override;
  Status SetCustomPaperWidth(PrintManagerHandle manager, double width) override;
  Status SetCustomPaperHeight(PrintManagerHandle manager, double height) override;
  Status SetColorMode(PrintManagerHandle manager, std::int32_t colorMode) override;
  Status PrintToFile(PrintManagerHandle manager, const std::string& fileName) override;
  Status SubmitPrint(PrintManagerHandle manager) override;
  Status SetPrintMode(PrintManagerHandle manager, std::int32_t mode) override;
  Status SetPrintRange(PrintManagerHandle manager, std::int32_t range) override;
  Result<double> Scale(PrintManagerHandle manager) override;
  Status SetScale(PrintManagerHandle manager, double scale) override;
  Result<bool> Rotate90Degrees(PrintManagerHandle manager) override;
  Status SetRotate90Degrees(PrintManagerHandle manager, bool rotate) override;

 private:
  ChannelCalls& calls_;
};

}  // namespace korrin::host
