#pragma once

#include "settings/Registry.h"

namespace korrin {

// The registry operations of the program on the Windows registry. Names and
// texts cross as UTF-8 and are stored as the system's wide text. Every key
// opened is closed before the call returns.
class WindowsRegistry final : public Registry {
 public:
  bool KeyExists(RegistryRoot root, const std::string& key) override;
  bool ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                         RegistryValue& value) override;
  bool CreateRegistryKey(RegistryRoot root, const std::string& key, const std::string& className) override;
  bool WriteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                          const RegistryWriteValue& value) override;
  int EnumRegistryKeys(RegistryRoot root, const std::string& key, std::uint32_t access,
                       std::vector<SubKeyRecord>& keys) override;
  bool EnumRegistryValues(RegistryRoot root, const std::string& key, std::vector<std::string>& names) override;
};

}  // namespace korrin
