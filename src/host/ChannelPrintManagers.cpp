#include "host/ChannelPrintManagers.h"

#include "host/DispatchMembers.h"

namespace korrin::host {

Result<PrintManagerHandle> ChannelPrintManagers::PrintManager(DocumentHandle document) {
  return AsHandle<PrintManagerHandle>(calls_.GetObject(Object(document), members::kPrintManager));
}

Status ChannelPrintManagers::SetPrinter(PrintManagerHandle manager, const std::string& printer) {
  return calls_.Put(Object(manager), members::kPrinter, {printer});
}

Result<std::int32_t> ChannelPrintManagers::Orientation(PrintManagerHandle manager) {
  return calls_.GetInteger(Object(manager), members::kOrientation);
}

Status ChannelPrintManagers::SetOrientation(PrintManagerHandle manager, std::int32_t orientation) {
  return calls_.Put(Object(manager), members::kOrientation, {orientation});
}

Result<std::int32_t> ChannelPrintManagers::PaperSize(PrintManagerHandle manager) {
  return calls_.GetInteger(Object(manager), members::kPaperSize);
}

Status ChannelPrintManagers::SetPaperSize(PrintManagerHandle manager, std::int32_t paper) {
  return calls_.Put(Object(manager), members::kPaperSize, {paper});
}

Status ChannelPrintManagers::SetCustomPaperWidth(PrintManagerHandle manager, double width) {
  return calls_.Put(Object(manager), members::kCustomPaperWidth, {width});
}

Status ChannelPrintManagers::SetCustomPaperHeight(PrintManagerHandle manager, double height) {
  return calls_.Put(Object(manager), members::kCustomPaperHeight, {height});
}

Status ChannelPrintManagers::SetColorMode(PrintManagerHandle manager, std::int32_t colorMode) {
  return calls_.Put(Object(manager), members::kColorMode, {colorMode});
}

Status ChannelPrintManagers::PrintToFile(PrintManagerHandle manager, const std::string& fileName) {
  return AsStatus(calls_.Call(Object(manager), members::kPrintToFile, {fileName}, CallWeight::Query));
}

Status ChannelPrintManagers::SubmitPrint(PrintManagerHandle manager) {
  return AsStatus(calls_.Call(Object(manager), members::kSubmitPrint, {}, CallWeight::Work));
}

Status ChannelPrintManagers::SetPrintMode(PrintManagerHandle manager, std::int32_t mode) {
  return calls_.Put(Object(manager), members::kPrintMode, {mode});
}

Status ChannelPrintManagers::SetPrintRange(PrintManagerHandle manager, std::int32_t range) {
  return calls_.Put(Object(manager), members::kPrintRange, {range});
}

Result<double> ChannelPrintManagers::Scale(PrintManagerHandle manager) {
  return calls_.GetDouble(Object(manager), members::kScale);
}

Status ChannelPrintManagers::SetScale(PrintManagerHandle manager, double scale) {
  return calls_.Put(Object(manager), members::kScale, {scale});
}

Result<bool> ChannelPrintManagers::Rotate90Degrees(PrintManagerHandle manager) {
  return calls_.GetBoolean(Object(manager), members::kRotate90Degrees);
}

Status ChannelPrintManagers::SetRotate90Degrees(PrintManagerHandle manager, bool rotate) {
  return calls_.Put(Object(manager), members::kRotate90Degrees, {rotate});
}

}  // namespace korrin::host
