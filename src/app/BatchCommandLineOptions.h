#pragma once

#include <span>
#include <string_view>

namespace korrin {

// One option of korrin-batch: its long name (without the dashes), the name
// of its value in the help (empty for a switch) and its line of help.
struct BatchOption {
  std::string_view name;
  std::string_view valueName;
  std::string_view description;

  bool TakesValue() const { return !valueName.empty(); }
};

// Every option, in the order the help lists them. "help" alone also has a
// one-letter name, -h.
std::span<const BatchOption> BatchOptions();

// The option of that long name, or none.
const BatchOption* FindBatchOption(std::string_view name);

}  // namespace korrin
