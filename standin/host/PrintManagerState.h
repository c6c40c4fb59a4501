#pragma once

#include <cstdint>
#include <string>

#include "host/HostCodes.h"
#include "host/HostHandles.h"

namespace korrin::standin {

// The paper id that stands for whatever paper the printer takes by default,
// the paper a new manager prints on.
inline constexpr std::int32_t kPrinterDefaultPaper = 14356;

// The print settings a document's print manager holds, as a new manager has
// them. Printer, paper and file are checked when a page is submitted, not
// when they are set, as the host does.
struct PrintManagerState {
  host::DocumentHandle document;
  bool ofDrawing = false;  // only then are the drawing settings below in use

  std::string printer;  // a queue name; empty or "Default" is the default queue
  std::int32_t paper = kPrinterDefaultPaper;
  double customWidthCentimetres = 0;
  double customHeightCentimetres = 0;
  std::int32_t orientation = host::kPortraitOrientation;
  std::int32_t colorMode = host::kColorPrint;
  std::string printToFile;  // empty: submissions go to the printer

  std::int32_t drawingPrintMode = 0;
  std::int32_t drawingPrintRange = 0;
  double drawingScale = 1.0;
  bool rotate90Degrees = false;
};

}  // namespace korrin::standin
