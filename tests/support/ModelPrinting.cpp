// The model host's print managers: one per open document, settings kept
// until it closes, every submission recorded.
#include "ModelHost.h"
#include "host/ChannelFailures.h"

namespace korrin::testing {

Result<ModelHost::Document*> ModelHost::OfPrintManager(std::uint64_t manager) {
  for (Document& open : documents_) {
    if (open.printManager != 0 && open.printManager == manager) return &open;
  }
  return host::ObjectDisconnected();
}

// The drawing properties exist on a drawing's print manager only.
Result<ModelHost::Document*> ModelHost::DrawingOfPrintManager(std::uint64_t manager) {
  auto document = OfPrintManager(manager);
  if (!document) return document.failure();
  if (document.value()->type != host::kDrawingDocument) return host::MemberNotFound();
  return document;
}

Result<host::PrintManagerHandle> ModelHost::PrintManager(host::DocumentHandle document) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  if (found.value()->printManager == 0) {
    found.value()->printManager = NextHandle();
    found.value()->print.orientation = host::kLandscapeOrientation;
    found.value()->print.colorMode = host::kColorPrint;
  }
  return host::PrintManagerHandle{found.value()->printManager};
}

Status ModelHost::SetPrinter(host::PrintManagerHandle manager, const std::string& printer) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.printer = printer;
  return {};
}

Result<std::int32_t> ModelHost::Orientation(host::PrintManagerHandle manager) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  return document.value()->print.orientation;
}

Status ModelHost::SetOrientation(host::PrintManagerHandle manager, std::int32_t orientation) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.orientation = orientation;
  return {};
}

Result<std::int32_t> ModelHost::PaperSize(host::PrintManagerHandle manager) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  return document.value()->print.paperSize;
}

Status ModelHost::SetPaperSize(host::PrintManagerHandle manager, std::int32_t paper) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.paperSize = paper;
  return {};
}

Status ModelHost::SetCustomPaperWidth(host::PrintManagerHandle manager, double width) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.customWidth = width;
  return {};
}

Status ModelHost::SetCustomPaperHeight(host::PrintManagerHandle manager, double height) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.customHeight = height;
  return {};
}

Status ModelHost::SetColorMode(host::PrintManagerHandle manager, std::int32_t colorMode) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.colorMode = colorMode;
  return {};
}

Status ModelHost::PrintToFile(host::PrintManagerHandle manager, const std::string& fileName) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.printToFile = fileName;
  return {};
}

// A print into a file writes what was printed with which settings.
Status ModelHost::SubmitPrint(host::PrintManagerHandle manager) {
  auto document = OfPrintManager(manager.value);
  if (!document) return document.failure();
  const Document& printing = *document.value();
  ModelPrint print{printing.fullFileName,
                   printing.type == host::kDrawingDocument ? static_cast<std::int32_t>(printing.activeSheet) + 1 : 0,
                   printing.print};
  if (!print.settings.printToFile.empty()) {
    Status written = WriteModelFile(print.settings.printToFile,
                                    {"model print of: " + print.document, "sheet: " + std::to_string(print.sheet),
                                     "printer: " + print.settings.printer});
    if (!written) return written;
  }
  printed.push_back(std::move(print));
  return {};
}

Status ModelHost::SetPrintMode(host::PrintManagerHandle manager, std::int32_t mode) {
  auto document = DrawingOfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.printMode = mode;
  return {};
}

Status ModelHost::SetPrintRange(host::PrintManagerHandle manager, std::int32_t range) {
  auto document = DrawingOfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.printRange = range;
  return {};
}

Result<double> ModelHost::Scale(host::PrintManagerHandle manager) {
  auto document = DrawingOfPrintManager(manager.value);
  if (!document) return document.failure();
  return document.value()->print.scale;
}

Status ModelHost::SetScale(host::PrintManagerHandle manager, double scale) {
  auto document = DrawingOfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.scale = scale;
  return {};
}

Result<bool> ModelHost::Rotate90Degrees(host::PrintManagerHandle manager) {
  auto document = DrawingOfPrintManager(manager.value);
  if (!document) return document.failure();
  return document.value()->print.rotate90Degrees;
}

Status ModelHost::SetRotate90Degrees(host::PrintManagerHandle manager, bool rotate) {
  auto document = DrawingOfPrintManager(manager.value);
  if (!document) return document.failure();
  document.value()->print.rotate90Degrees = rotate;
  return {};
}

}  // namespace korrin::testing
