#include "app/RegistryKeyName.h"

#include <array>

#include "settings/TextCase.h"

namespace korrin {
namespace {

struct RootSpelling {
  std::string_view name;
  RegistryRoot root;
};

constexpr std::array<RootSpelling, 4> kRootSpellings{{
    {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"HKCU", RegistryRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {"HKLM", RegistryRoot::LocalMachine},
}};

}  // namespace

std::optional<RootedKey> ParseRootedKey(std::string_view text) {
  const std::size_t separator = text.find('\\');
  const std::string_view rootText = text.substr(0, separator);
  for (const RootSpelling& spelling : kRootSpellings) {
    if (!EqualsIgnoringCase(rootText, spelling.name)) continue;
    std::string_view path = separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return RootedKey{spelling.root, std::string(path)};
  }
  return std::nullopt;
}

std::string_view RootName(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string FullKeyName(RegistryRoot root, std::string_view path) {
  std::string name(RootName(root));
  if (!path.empty()) name.append("\\").append(path);
  return name;
}

}  // namespace korrin
