#include "platform/linux/SqliteRegistry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace korrin {
namespace {

// Access rights that change a key; a mask holding any of them needs the key
// opened for writing.
constexpr std::uint32_t kWritingRights = 0x0002    // set value
                                         | 0x0004  // create sub-key
                                         | 0x0020  // create link
                                         | 0x10000 // delete
                                         | 0x40000 // write access list
                                         | 0x80000;  // write owner

RegistryAccess AccessOf(std::uint32_t mask) {
  return (mask & kWritingRights) != 0 ? RegistryAccess::Full : RegistryAccess::Read;
}

std::int32_t NumberFromData(const std::string& data) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4; ++i) number |= std::uint32_t{static_cast<unsigned char>(data[i])} << (8 * i);
  return static_cast<std::int32_t>(number);
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) return user->pw_dir;
  return "/";
}

}  // namespace

bool SqliteRegistry::KeyExists(RegistryRoot root, const std::string& key) {
  return store_.OpenKey(root, key, RegistryAccess::Read).ok();
}

bool SqliteRegistry::ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                                       RegistryValue& value) {
  auto open = store_.OpenKey(root, key, RegistryAccess::Read);
  if (!open) return false;
  auto read = store_.ReadValue(open.value(), name);
  if (!read || !read.value()) return false;
  const StoredValue& stored = *read.value();
  switch (static_cast<RegistryKind>(stored.kind)) {
    case RegistryKind::Text:
    case RegistryKind::MultiText:
      // The stored characters without the final terminator.
      value = stored.data.empty() ? std::string() : stored.data.substr(0, stored.data.size() - 1);
      return true;
    case RegistryKind::Number:
      if (stored.data.size() < 4) return false;
      value = NumberFromData(stored.data);
      return true;
    default:
      // Success with nothing read: the caller's value stays as it was.
      return true;
  }
}

bool SqliteRegistry::CreateRegistryKey(RegistryRoot root, const std::string& key, const std::string& className) {
  auto created = store_.CreateKey(root, key, className);
  return created.ok() && created.value();
}

bool SqliteRegistry::WriteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name,
                                        const RegistryWriteValue& value) {
  auto open = store_.OpenKey(root, key, RegistryAccess::Full);
  if (!open) return false;
  StoredValue stored{name, 0, ""};
  if (const auto* text = std::get_if<std::string>(&value)) {
    stored.kind = static_cast<std::uint32_t>(RegistryKind::Text);
    stored.data = TextData(*text);
  } else if (const auto* small = std::get_if<std::int16_t>(&value)) {
    stored.kind = static_cast<std::uint32_t>(RegistryKind::Number);
    stored.data = NumberData(static_cast<std::uint32_t>(std::int32_t{*small}));
  } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
    stored.kind = static_cast<std::uint32_t>(RegistryKind::Number);
    stored.data = NumberData(static_cast<std::uint32_t>(*number));
  } else {
    return true;
  }
  return store_.WriteValue(open.value(), stored).ok();
}

int SqliteRegistry::EnumRegistryKeys(RegistryRoot root, const std::string& key, std::uint32_t access,
                                     std::vector<SubKeyRecord>& keys) {
  auto open = store_.OpenKey(root, key, AccessOf(access));
  if (!open) return 0;
  auto found = store_.SubKeys(open.value());
  if (!found || found.value().empty()) return 0;
  keys.assign(1, SubKeyRecord{});
  for (const SubKeyRecord& record : found.value()) {
    keys.push_back(SubKeyRecord{TextBeforeNul(record.name), TextBeforeNul(record.className)});
  }
  return static_cast<int>(found.value().size());
}

bool SqliteRegistry::EnumRegistryValues(RegistryRoot root, const std::string& key, std::vector<std::string>& names) {
  auto open = store_.OpenKey(root, key, RegistryAccess::Read);
  if (!open) return false;
  auto found = store_.Values(open.value());
  if (!found || found.value().empty()) return false;
  names.clear();
  for (const StoredValue& value : found.value()) names.push_back(value.name);
  return true;
}

std::string RegistryFolder() {
  if (const char* folder = std::getenv("KORRIN_REGISTRY"); folder != nullptr && *folder != '\0') return folder;
  std::filesystem::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    data = xdg;
  } else {
    data = std::filesystem::path(HomeFolder()) / ".local" / "share";
  }
  return (data / "korrin" / "registry").string();
}

}  // namespace korrin
