#pragma once

#include "ports/Printers.h"

namespace korrin {

// For programs that do not print: no printers are known, so a printer named
// "Default" stays "Default".
class NoPrinters final : public Printers {
 public:
  std::vector<std::string> InstalledPrinters() const override { return {}; }
  std::string DefaultPrinter() const override { return {}; }
  std::vector<std::string> SupportedMedia(const std::string&) const override { return {}; }
};

}  // namespace korrin
