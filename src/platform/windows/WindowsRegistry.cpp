#include "platform/windows/WindowsRegistry.h"

#include "platform/windows/RegistryKeys.h"
#include "platform/windows/WideText.h"

namespace korrin {
namespace {

std::string NumberBytes(std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
  return bytes;
}

std::int32_t NumberFromBytes(const std::string& bytes) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4; ++i) number |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  return static_cast<std::int32_t>(number);
}

}  // namespace

bool WindowsRegistry::KeyExists(RegistryRoot root, const std::string& key) {
  return registry_keys::Open(root, key, KEY_READ).ok();
}

bool WindowsRegistry::ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                                        RegistryValue& value) {
  auto open = registry_keys::Open(root, key, KEY_READ);
  if (!open) return false;
  auto read = registry_keys::Read(open.value().get(), name);
  if (!read || !read.value()) return false;
  const RegistryData& data = *read.value();
  switch (data.kind) {
    case REG_SZ:
    case REG_MULTI_SZ: {
      // The stored characters without the final terminator; a text stored
      // without one keeps its last character.
      std::wstring_view characters = data.characters;
      if (!characters.empty() && characters.back() == L'\0') characters.remove_suffix(1);
      value = TextFromWide(characters);
      return true;
    }
    case REG_DWORD:
      if (data.bytes.size() < 4) return false;
      value = NumberFromBytes(data.bytes);
      return true;
    default:
      // Success with nothing read: the caller's value stays as it was.
      return true;
  }
}

bool WindowsRegistry::CreateRegistryKey(RegistryRoot root, const std::string& key, const std::string& className) {
  auto created = registry_keys::Create(root, key, className);
  return created.ok() && created.value();
}

bool WindowsRegistry::WriteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                                         const RegistryWriteValue& value) {
  auto open = registry_keys::Open(root, key, KEY_ALL_ACCESS);
  if (!open) return false;
  RegistryData data;
  if (const auto* text = std::get_if<std::string>(&value)) {
    data.kind = REG_SZ;
    data.characters = WideFromText(*text);
    data.characters.push_back(L'\0');
  } else if (const auto* small = std::get_if<std::int16_t>(&value)) {
    data.kind = REG_DWORD;
    data.bytes = NumberBytes(*small);
  } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
    data.kind = REG_DWORD;
    data.bytes = NumberBytes(*number);
  } else {
    return true;
  }
  return registry_keys::Write(open.value().get(), name, data).ok();
}

int WindowsRegistry::EnumRegistryKeys(RegistryRoot root, const std::string& key, std::uint32_t access,
                                      std::vector<SubKeyRecord>& keys) {
  auto open = registry_keys::Open(root, key, access);
  if (!open) return 0;
  auto found = registry_keys::SubKeys(open.value().get());
  if (!found || found.value().empty()) return 0;
  keys.assign(1, SubKeyRecord{});
  keys.insert(keys.end(), found.value().begin(), found.value().end());
  return static_cast<int>(found.value().size());
}

bool WindowsRegistry::EnumRegistryValues(RegistryRoot root, const std::string& key, std::vector<std::string>& names) {
  auto open = registry_keys::Open(root, key, KEY_READ);
  if (!open) return false;
  auto found = registry_keys::ValueNames(open.value().get());
  if (!found || found.value().empty()) return false;
  names = std::move(found).value();
  return true;
}

}  // namespace korrin
