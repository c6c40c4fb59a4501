#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ports/Printers.h"

namespace korrin {

// The printers of the Windows spooler: the local printers and the printer
// connections of the user (EnumPrintersW), the user's default printer
// (GetDefaultPrinterW), and a printer's paper names as its driver gives them
// (DeviceCapabilitiesW, DC_PAPERNAMES). A spooler that cannot be asked has
// no printers.
class SpoolerPrinters final : public Printers {
 public:
  std::vector<std::string> InstalledPrinters() const override;
  std::string DefaultPrinter() const override;
  std::vector<std::string> SupportedMedia(const std::string& printer) const override;
};

// Paper names as DC_PAPERNAMES returns them: count records of 64 characters,
// each ended by a NUL unless it fills its record.
inline constexpr std::size_t kPaperNameLength = 64;
std::vector<std::string> PaperNamesFromRecords(const wchar_t* records, std::size_t count);

}  // namespace korrin
