#include "settings/SettingsLine.h"

#include "settings/TextCase.h"

namespace korrin {

KeyValue SplitKeyValue(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {std::string(line), {}};
  return {std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))};
}

bool KeysEqual(std::string_view a, std::string_view b) { return EqualsIgnoringCase(a, b); }

}  // namespace korrin
