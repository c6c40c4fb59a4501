#pragma once

#include <string>
#include <vector>

#include "ports/Result.h"
#include "settings/Registry.h"

namespace korrin::standin {

// The versions the stand-in can be installed as, as the version tag spells
// them after "RegistryVersion".
inline const std::vector<std::string> kInstallableVersions = {"5.2", "5.3", "6.0", "7.0"};
inline constexpr const char* kDefaultInstallVersion = "7.0";

// Where an installation puts its folders.
struct InstallPlaces {
  std::string programFolder;
  std::string projectFolder;
  std::string templateFolder;
  std::string translatorSettingsFolder;
  std::string acadFolder;  // AutoCAD's program folder, when it is installed
};

// Everything under one root folder: "Inventor/Bin", "Projects", "Templates",
// "Translator Settings" and "AutoCAD" (the registry goes to root/registry, chosen by
// the caller).
InstallPlaces PlacesUnder(const std::string& root);

// Whether the machine gets an AutoCAD beside the host. Leaving it out
// writes no AutoCAD key; one an earlier installation wrote stays.
enum class AutocadChoice { Include, LeaveOut };

// Writes what an installed host leaves behind: its version tag, program
// folder, preferences and translator keys in the registry, a project folder
// with default.ipj and one more project, templates, the DWG/DXF translator
// settings files, and unless left out an AutoCAD installation. Running it
// again changes nothing the user set: values and files that exist are kept;
// the version tag and the folders are set anew. Returns what it did, one
// line per step, for the user to read.
Result<std::vector<std::string>> InstallStandin(Registry& registry, const InstallPlaces& places,
                                                const std::string& version,
                                                AutocadChoice autocad = AutocadChoice::Include);

}  // namespace korrin::standin
