#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/Registry.h"

namespace korrin {

// A key named with its root, as administrators write it:
// "HKEY_CURRENT_USER\Software\Korrin" or "HKCU\Software\Korrin".
struct RootedKey {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;  // below the root; empty for the root itself
};

// Nothing when the text does not start with a root this registry holds.
// Root names compare ignoring case; one trailing "\" is dropped.
std::optional<RootedKey> ParseRootedKey(std::string_view text);

// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
std::string_view RootName(RegistryRoot root);

// The root's name followed by the path, as listings and export files show it.
std::string FullKeyName(RegistryRoot root, std::string_view path);

}  // namespace korrin
