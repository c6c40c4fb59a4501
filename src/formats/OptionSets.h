#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "formats/OptionSetForm.h"
#include "ports/Printers.h"
#include "settings/ExportTemplateLines.h"

namespace korrin {

// A key whose value could not be converted to its kind. Loading stops at
// the set it belongs to: that set and every later one keep what they show.
struct OptionLoadFailure {
  std::string tag;
  std::string key;
  std::string value;
  bool present = false;  // false when the template lacks the key

  bool operator==(const OptionLoadFailure&) const = default;
};

// The text that reports a failure to the user.
std::string OptionLoadFailureMessage(const OptionLoadFailure& failure);

// The sets are chosen by OptionSetTagOf(tag): "PRINTER", "Printer-Settings"
// and "Pri" alike select the printer set; a tag of no set does nothing.
// A printer name "Default" (any case) or empty stands for the system default
// printer and is shown as that printer's name when the machine has one.

// Puts the defaults of one set into its tab.
void ApplyOptionDefaults(std::string_view tag, OptionSetForm& form, const Printers& printers);

// Reads one set from the template and puts it into its tab; on a failed
// conversion the tab is left as it was and the failure returned.
std::optional<OptionLoadFailure> LoadOptionSet(std::string_view tag, const ExportTemplateLines& store,
                                               OptionSetForm& form, const Printers& printers);

// Writes one set from its tab back into the template. Keys the template
// lacks are not stored.
void CollectOptionSet(std::string_view tag, const OptionSetForm& form, ExportTemplateLines& store);

// Every set in load order: from the template (stopping at the first failed
// set) or, with fromTemplate false, their defaults.
std::optional<OptionLoadFailure> LoadAllOptionSets(bool fromTemplate, const ExportTemplateLines& store,
                                                   OptionSetForm& form, const Printers& printers);

// Every set written back into the template lines, the file untouched: the
// "Apply and Exit." command, and the step of saving that collects the tabs.
void ApplyExportSettings(const OptionSetForm& form, ExportTemplateLines& store);

// The template lines that hold every key with its default value.
ExportTemplateLines DefaultTemplateLines();

}  // namespace korrin
