#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ports/Result.h"
#include "settings/Registry.h"

namespace korrin {

// Failure numbers of the registry the callers look for.
inline constexpr long kRegistryBadPath = ERROR_BAD_PATHNAME;  // 161

// An open key of the real registry; closed when it goes away.
class RegistryKeyHandle {
 public:
  RegistryKeyHandle() = default;
  explicit RegistryKeyHandle(HKEY key) : key_(key) {}
  RegistryKeyHandle(RegistryKeyHandle&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKeyHandle& operator=(RegistryKeyHandle&& other) noexcept;
  RegistryKeyHandle(const RegistryKeyHandle&) = delete;
  RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
  ~RegistryKeyHandle();

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A value as the registry keeps it: its kind number and its data, text
// kinds as the UTF-16 characters stored (terminators included), other kinds
// as their bytes.
struct RegistryData {
  std::uint32_t kind = 0;
  std::wstring characters;
  std::string bytes;
};

// The registry calls the Registry port is made of, each failure with the
// system's number and text. Key paths are the port's: levels separated by
// "\", no leading "\", no empty level, an empty path for the root itself;
// a path of any other shape fails with kRegistryBadPath before the registry
// is asked, since the registry's own handling of such paths differs between
// systems.
namespace registry_keys {

HKEY RootKey(RegistryRoot root);
Status CheckKeyPath(const std::string& path);

Result<RegistryKeyHandle> Open(RegistryRoot root, const std::string& path, REGSAM access);
// Creates the key with its missing parents, non-volatile and flushed; true
// when the key itself was created now.
Result<bool> Create(RegistryRoot root, const std::string& path, const std::string& className);
// Removes the key with everything below it.
Status DeleteTree(RegistryRoot root, const std::string& path);

// Nothing when the key has no value of that name.
Result<std::optional<RegistryData>> Read(HKEY key, const std::string& name);
Status Write(HKEY key, const std::string& name, const RegistryData& data);

// Sub-keys (name and class) and value names in the registry's order. A name
// or class longer than the registry's limit of 255 characters fails the
// enumeration.
Result<std::vector<SubKeyRecord>> SubKeys(HKEY key);
Result<std::vector<std::string>> ValueNames(HKEY key);

}  // namespace registry_keys
}  // namespace korrin
