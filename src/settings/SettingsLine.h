#pragma once

#include <string>
#include <string_view>

namespace korrin {

// One line of a settings file, split at its first "=". Nothing is trimmed:
// blanks around "=" belong to the key or the value. A line without "=" is all
// key (section headers, comments and blank lines among them).
struct KeyValue {
  std::string key;
  std::string value;

  bool operator==(const KeyValue&) const = default;
};

KeyValue SplitKeyValue(std::string_view line);

// Keys compare upper-cased, character by character.
bool KeysEqual(std::string_view a, std::string_view b);

}  // namespace korrin
