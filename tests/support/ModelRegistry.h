#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/Registry.h"
#include "settings/TextCase.h"

namespace korrin::testing {

// A registry held in memory for runs against the model host, on any
// platform: keys and value names ignore case, keys keep the order they were
// made in, and a write needs its key to exist, as the system's registry
// does. Booleans and reals are written as nothing, successfully.
class ModelRegistry final : public Registry {
 public:
  bool KeyExists(RegistryRoot root, const std::string& key) override { return Find(root, key) != nullptr; }

  bool ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                         RegistryValue& value) override {
    const Key* found = Find(root, key);
    if (found == nullptr) return false;
    for (const auto& [stored, read] : found->values) {
      if (ToUpperAscii(stored) == ToUpperAscii(name)) {
        value = read;
        return true;
      }
    }
    return false;
  }

  bool CreateRegistryKey(RegistryRoot root, const std::string& key, const std::string& /*className*/) override {
    if (key.empty() || KeyExists(root, key)) return false;
    for (std::size_t cut = key.find('\\'); cut != std::string::npos; cut = key.find('\\', cut + 1)) {
      if (!KeyExists(root, key.substr(0, cut))) keys_.push_back({root, key.substr(0, cut), {}});
    }
    keys_.push_back({root, key, {}});
    return true;
  }

  bool WriteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                          const RegistryWriteValue& value) override {
    Key* found = Find(root, key);
    if (found == nullptr) return false;
    RegistryValue stored;
    if (const auto* text = std::get_if<std::string>(&value)) stored = *text;
    else if (const auto* small = std::get_if<std::int16_t>(&value)) stored = std::int32_t{*small};
    else if (const auto* number = std::get_if<std::int32_t>(&value)) stored = *number;
    else return true;
    for (auto& [existing, held] : found->values) {
      if (ToUpperAscii(existing) == ToUpperAscii(name)) {
        held = stored;
        return true;
      }
    }
    found->values.emplace_back(name, stored);
    return true;
  }

  int EnumRegistryKeys(RegistryRoot root, const std::string& key, std::uint32_t /*access*/,
                       std::vector<SubKeyRecord>& keys) override {
    if (Find(root, key) == nullptr) return 0;
    std::vector<SubKeyRecord> found{SubKeyRecord{}};
    const std::string prefix = ToUpperAscii(key) + "\\";
    for (const Key& candidate : keys_) {
      const std::string name = ToUpperAscii(candidate.path);
      if (candidate.root == root && name.starts_with(prefix) && name.find('\\', prefix.size()) == std::string::npos) {
        found.push_back({candidate.path.substr(prefix.size()), ""});
      }
    }
    if (found.size() == 1) return 0;
    keys = std::move(found);
    return static_cast<int>(keys.size()) - 1;
  }

  bool EnumRegistryValues(RegistryRoot root, const std::string& key, std::vector<std::string>& names) override {
    const Key* found = Find(root, key);
    if (found == nullptr || found->values.empty()) return false;
    names.clear();
    for (const auto& value : found->values) names.push_back(value.first);
    return true;
  }

 private:
  struct Key {
    RegistryRoot root;
    std::string path;
    std::vector<std::pair<std::string, RegistryValue>> values;
  };

  Key* Find(RegistryRoot root, const std::string& key) {
    for (Key& candidate : keys_) {
      if (candidate.root == root && ToUpperAscii(candidate.path) == ToUpperAscii(key)) return &candidate;
    }
    return nullptr;
  }

  std::vector<Key> keys_;
};

}  // namespace korrin::testing
