#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korrin {

// The two predefined roots the program reads and writes.
enum class RegistryRoot { LocalMachine, CurrentUser };

// Stored value kinds, numbered as the registry numbers them. Other numbers
// (binary data is 3) may be stored too; the program reads them as "nothing".
enum class RegistryKind : std::uint32_t { Text = 1, Binary = 3, Number = 4, MultiText = 7 };

// Access rights a key is opened with.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// A value as read: text (multi-text keeps its parts separated by NUL
// characters) or a number; nothing until a read sets it.
using RegistryValue = std::variant<std::monostate, std::string, std::int32_t>;

// A value to write. Text and both integer widths are written; a Boolean or a
// real is not a kind the registry stores for the program: writing one writes
// nothing and still succeeds, which callers rely on.
using RegistryWriteValue = std::variant<std::string, std::int16_t, std::int32_t, bool, double>;

// A sub-key as enumerated: its name and class text.
struct SubKeyRecord {
  std::string name;
  std::string className;

  bool operator==(const SubKeyRecord&) const = default;
};

// The program's only door to the registry. Key paths name keys below a root
// with their levels separated by "\" and no leading "\"; key and value names
// compare ignoring case. No operation shows a message or throws: every
// failure shows only in the result, and the caller words the message. Calls
// come from the user-interface thread; no state survives between calls.
class Registry {
 public:
  virtual ~Registry() = default;

  // True when the key can be opened for reading.
  virtual bool KeyExists(RegistryRoot root, const std::string& key) = 0;
  // True when the value was found and read. Text gives its characters
  // without the stored terminator, multi-text its stored characters minus
  // the final terminator, a number its 32-bit value; any other kind gives
  // true and reads nothing. A failed read leaves value unchanged, and so
  // does a read of another kind.
  virtual bool ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                                 RegistryValue& value) = 0;
  // True only when the key did not exist and was created now (with its
  // missing parents); false when it existed already or could not be made.
  virtual bool CreateRegistryKey(RegistryRoot root, const std::string& key, const std::string& className) = 0;
  // Writes text as text and either integer as a 32-bit number into an
  // existing key opened with full access; the key is never created. True
  // when the key opened and the write succeeded.
  virtual bool WriteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                                  const RegistryWriteValue& value) = 0;
  // The number of sub-keys, opening the key with the given access, or 0 on
  // any failure. On success the list is indexed from 1: element 0 is an
  // empty record and elements 1 to count hold the sub-keys in the store's
  // order. A failed or empty enumeration leaves the list unchanged.
  virtual int EnumRegistryKeys(RegistryRoot root, const std::string& key, std::uint32_t access,
                               std::vector<SubKeyRecord>& keys) = 0;
  // True when the key opened for reading and has at least one value; the
  // names are then in the list from index 0, in the store's order.
  // Otherwise the list is left unchanged.
  virtual bool EnumRegistryValues(RegistryRoot root, const std::string& key, std::vector<std::string>& names) = 0;
};

// The characters before the first NUL; the whole text when it has none.
std::string TextBeforeNul(std::string_view text);

}  // namespace korrin
