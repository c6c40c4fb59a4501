#pragma once

#include <cstdint>
#include <string>

#include "host/HostHandles.h"
#include "ports/Result.h"

namespace korrin::host {

// The print managers of a host's open documents: each holds the print
// settings of its document and prints it on the host's printers. A drawing's
// print manager also has the drawing properties (mode, scale, range, the
// turn by 90 degrees). Settings stay until the document closes; a handle
// fails every call once its document is closed.
class PrintManagers {
 public:
  virtual ~PrintManagers() = default;

  virtual Result<PrintManagerHandle> PrintManager(DocumentHandle document) = 0;

  // The printer by the name the system knows it by.
  virtual Status SetPrinter(PrintManagerHandle manager, const std::string& printer) = 0;
  virtual Result<std::int32_t> Orientation(PrintManagerHandle manager) = 0;
  virtual Status SetOrientation(PrintManagerHandle manager, std::int32_t orientation) = 0;
  // A paper id (kCustomPaperSize: the custom width and height below).
  virtual Result<std::int32_t> PaperSize(PrintManagerHandle manager) = 0;
  virtual Status SetPaperSize(PrintManagerHandle manager, std::int32_t paper) = 0;
  // Centimetres.
  virtual Status SetCustomPaperWidth(PrintManagerHandle manager, double width) = 0;
  virtual Status SetCustomPaperHeight(PrintManagerHandle manager, double height) = 0;
  virtual Status SetColorMode(PrintManagerHandle manager, std::int32_t colorMode) = 0;
  // From now on submissions print into the file instead of on the printer.
  virtual Status PrintToFile(PrintManagerHandle manager, const std::string& fileName) = 0;
  // Prints one copy with the settings in effect: for a drawing its active
  // sheet, for any other document the active view.
  virtual Status SubmitPrint(PrintManagerHandle manager) = 0;

  // Drawing print managers only.
  virtual Status SetPrintMode(PrintManagerHandle manager, std::int32_t mode) = 0;
  virtual Status SetPrintRange(PrintManagerHandle manager, std::int32_t range) = 0;
  virtual Result<double> Scale(PrintManagerHandle manager) = 0;
  virtual Status SetScale(PrintManagerHandle manager, double scale) = 0;
  virtual Result<bool> Rotate90Degrees(PrintManagerHandle manager) = 0;
  virtual Status SetRotate90Degrees(PrintManagerHandle manager, bool rotate) = 0;
};

}  // namespace korrin::host
