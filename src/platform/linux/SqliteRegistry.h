#pragma once

#include <string>

#include "platform/linux/RegistryStore.h"
#include "settings/Registry.h"

namespace korrin {

// The registry operations of the program on the SQLite registry store.
class SqliteRegistry : public Registry {
 public:
  explicit SqliteRegistry(std::string folder) : store_(std::move(folder)) {}

  bool KeyExists(RegistryRoot root, const std::string& key) override;
  bool ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                         RegistryValue& value) override;
  bool CreateRegistryKey(RegistryRoot root, const std::string& key, const std::string& className) override;
  bool WriteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                          const RegistryWriteValue& value) override;
  int EnumRegistryKeys(RegistryRoot root, const std::string& key, std::uint32_t access,
                       std::vector<SubKeyRecord>& keys) override;
  bool EnumRegistryValues(RegistryRoot root, const std::string& key, std::vector<std::string>& names) override;

  RegistryStore& store() { return store_; }

 private:
  RegistryStore store_;
};

// The folder of the user's registry: KORRIN_REGISTRY when it is set, else
// "korrin/registry" in the user's data folder (XDG_DATA_HOME, else
// ~/.local/share).
std::string RegistryFolder();

}  // namespace korrin
