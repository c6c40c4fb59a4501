#pragma once

#include <string>

#include "ports/Dialogs.h"
#include "settings/PathText.h"
#include "settings/Registry.h"

namespace korrin {

// Where the installed host keeps what the program needs to find.
inline constexpr const char* kHostVersionKey = "SOFTWARE\\Autodesk\\Inventor\\Current Version";
inline constexpr const char* kHostVersionValueName = "REGISTRYVERSION";  // compared upper-cased
inline constexpr const char* kHostAppPathsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Inventor.exe";
inline constexpr const char* kHostAppPathValueName = "Path";
inline constexpr const char* kHostKeyPrefix = "Software\\Autodesk\\Inventor\\";
inline constexpr const char* kFilePreferencesKey = "\\System\\Preferences\\File";
inline constexpr const char* kExternalReferencesKey = "\\System\\Preferences\\External References";
inline constexpr const char* kActiveProjectValueName = "Path File";

// The host version found in the registry at start-up.
struct HostVersion {
  // As the host stored it ("RegistryVersion5.2"); empty when none was found
  // or it held no version number.
  std::string registryVersionTag;
  // Major and minor part ("5.3", "6.0"); empty when the tag is empty.
  std::string hostVersionNumber;
  // True when the host is older than 5.3: the user was told, and the front
  // end must end the program.
  bool endProgram = false;
};

HostVersion DetectHostVersion(Registry& registry, Dialogs& dialogs);

// Compares two host version numbers ("5.3", "10.0") by their major and minor
// parts as numbers: negative, zero or positive as a is before, the same as or
// after b. Compared as text, "10.0" would come before "5.3". A text without
// a number counts as 0.0.
int CompareHostVersions(const std::string& a, const std::string& b);

// A per-user host key: the prefix, the tag, then the sub-key (which starts
// with "\").
std::string HostUserKey(const std::string& registryVersionTag, const std::string& subKey);

// The host's program folder, ending with the separator; empty when the host
// is not installed.
std::string HostInstallFolder(Registry& registry, char separator = kNativeSeparator);
// The host's default project and template folders; empty when not set.
std::string HostProjectFolder(Registry& registry, const std::string& registryVersionTag,
                              char separator = kNativeSeparator);
std::string HostTemplateFolder(Registry& registry, const std::string& registryVersionTag,
                               char separator = kNativeSeparator);

// Makes the project file the host's active project. A shortcut is replaced
// by its target, in projectPath too. True when the registry write succeeded.
bool SetHostProject(Registry& registry, const std::string& registryVersionTag, std::string& projectPath);

// The target of a shortcut file (a name ending in "LNK", any case), or the
// path unchanged when it is no shortcut or cannot be read as one.
std::string ResolveShortcut(const std::string& path);

}  // namespace korrin
