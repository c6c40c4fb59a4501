#pragma once

#include <string>
#include <vector>

namespace korrin {

// The printers installed on this machine, as the print system names them.
// Calls never fail: a print system that cannot be reached has no printers.
class Printers {
 public:
  virtual ~Printers() = default;

  // Device names of every installed printer, in the print system's order.
  virtual std::vector<std::string> InstalledPrinters() const = 0;
  // Device name of the system default printer; empty when there is none.
  virtual std::string DefaultPrinter() const = 0;
  // Names of the media (paper sizes) the printer supports; empty for an
  // unknown printer.
  virtual std::vector<std::string> SupportedMedia(const std::string& printer) const = 0;
};

}  // namespace korrin
