#pragma once

#include <string>
#include <variant>

#include "settings/Registry.h"

namespace korrin::standin {

// Where an installed AutoCAD leaves its mark in the machine's registry: the
// AutoCAD key names its current release, which has a key of its own below.
inline constexpr const char* kAcadKey = "SOFTWARE\\Autodesk\\AutoCAD";
inline constexpr const char* kAcadCurrentReleaseValueName = "CurVer";
inline constexpr const char* kAcadProductNameValueName = "ProductName";
// The release's program folder, where "acad.exe" lies.
inline constexpr const char* kAcadLocationValueName = "AcadLocation";
// What the stand-in installation records.
inline constexpr const char* kStandinAcadRelease = "R16.0";
inline constexpr const char* kStandinAcadProductName = "AutoCAD (Korrin stand-in)";

// True when the registry holds an AutoCAD installation: the current release
// is named and its key is there.
inline bool AcadInstalled(Registry& registry) {
  RegistryValue release;
  if (!registry.ReadRegistryValue(RegistryRoot::LocalMachine, kAcadKey, kAcadCurrentReleaseValueName, release)) {
    return false;
  }
  const auto* name = std::get_if<std::string>(&release);
  return name != nullptr && !name->empty() &&
         registry.KeyExists(RegistryRoot::LocalMachine, std::string(kAcadKey) + "\\" + *name);
}

// The program folder of the installed AutoCAD release, ending in a
// separator; empty when no AutoCAD is installed or its release names none.
inline std::string AcadProgramFolder(Registry& registry) {
  if (!AcadInstalled(registry)) return {};
  RegistryValue release;
  RegistryValue location;
  (void)registry.ReadRegistryValue(RegistryRoot::LocalMachine, kAcadKey, kAcadCurrentReleaseValueName, release);
  if (!registry.ReadRegistryValue(RegistryRoot::LocalMachine,
                                  std::string(kAcadKey) + "\\" + std::get<std::string>(release),
                                  kAcadLocationValueName, location)) {
    return {};
  }
  const auto* folder = std::get_if<std::string>(&location);
  if (folder == nullptr || folder->empty()) return {};
  return folder->back() == '/' ? *folder : *folder + "/";
}

}  // namespace korrin::standin
