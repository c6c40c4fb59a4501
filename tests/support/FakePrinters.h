#pragma once

#include <map>
#include <string>
#include <vector>

#include "ports/Printers.h"

namespace korrin::testing {

// Printers as a test sets them up.
class FakePrinters final : public Printers {
 public:
  std::vector<std::string> installed;
  std::string defaultPrinter;
  std::map<std::string, std::vector<std::string>> media;

  std::vector<std::string> InstalledPrinters() const override { return installed; }
  std::string DefaultPrinter() const override { return defaultPrinter; }
  std::vector<std::string> SupportedMedia(const std::string& printer) const override {
    const auto found = media.find(printer);
    return found == media.end() ? std::vector<std::string>{} : found->second;
  }
};

}  // namespace korrin::testing
