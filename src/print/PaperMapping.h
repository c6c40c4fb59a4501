#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Dialogs.h"
#include "ports/Printers.h"

namespace korrin {

// The media a printer offers for drawings, in the print system's order:
// an empty name stands for the default printer, and PostScript and screen
// entries, which are no paper, are dropped. Duplicates stay.
std::vector<std::string> GetPrinterMedia(const Printers& printers, const std::string& printerName);

// The papers the user may choose from: the printer's media, followed, unless
// showPrinterSupported, by the papers of the definitions file the printer
// does not already offer (names equal when stripped of spaces, ignoring
// case). A missing definitions file is created with the default papers
// first; if that fails, the printer's media alone are offered. A read
// failure is reported and keeps the papers read so far.
std::vector<std::string> BuildPaperList(const Printers& printers, const std::string& printerName,
                                        bool showPrinterSupported, const std::string& paperFile, Dialogs& dialogs);

// The host's paper id for a paper name (exact, case included); 0 for a name
// the host has no id for.
std::int32_t PaperIdOf(std::string_view name);

// The paper name of a drawing sheet of this size in centimetres, in either
// orientation; "Custom" for a size that is no standard sheet.
std::string PaperNameForSheetSize(double widthCm, double heightCm);

}  // namespace korrin
