#pragma once

#include <span>
#include <string_view>

namespace korrin {

// One key of an option set as the export template stores it, with the value
// that a fresh start and the "Inventor Defaults" command give it.
struct OptionKey {
  std::string_view key;
  std::string_view defaultValue;
};

struct OptionSetKeys {
  std::string_view tag;  // "PRINTER" for the printer set, three letters for the others
  std::span<const OptionKey> keys;
};

// Every option set, in the order the sets are loaded.
std::span<const OptionSetKeys> AllOptionSetKeys();

// The tag an argument selects: its first three characters upper-cased, so
// "Printer-Settings" and "Pri" both select "PRINTER". Empty when the
// argument names no set (the formats without options among them).
std::string_view OptionSetTagOf(std::string_view argument);

}  // namespace korrin
