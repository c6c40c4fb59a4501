#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostConnector.h"
#include "settings/ProgramSettings.h"
#include "settings/Registry.h"

namespace korrin {

// The steps of the program's start that both front ends take alike; the
// windowed program shows their results in its controls.

inline constexpr const char* kReleaseLabel = "Final 1.0";
inline constexpr const char* kHostNotDetected = "Sorry, Inventor is not detected on this machine";
inline constexpr const char* kHostNotPrepared = "Inventor could not be prepared to start conversion properly";
inline constexpr const char* kSelfTestDocument = "logo.ipt";

// "Korrin for Inventor 5.3" for the tag "RegistryVersion5.2".
std::string ProgramCaption(const std::string& registryVersionTag);

// Opens the program folder's logo.ipt with the host's document reader.
// Empty when that worked; otherwise the text that says what failed.
std::string ApprenticeSelfTest(host::HostConnector& connector, const std::string& programFolder);
// The one message a failed self-test shows.
std::string ApprenticeFailureMessage(const std::string& failure);

// The export folder the program starts with: none when the user had cleared
// "Export folder", else the last one, or the temporary folder when that one
// is gone.
std::optional<std::string> ExportFolderAtStart(const ProgramSettings& settings, const std::string& tempFolder);

// The project file the program starts with: the host's active project, else
// the first project of the host's project folder, else the default project
// of its install folder; empty when there is none.
std::string ProjectFileAtStart(Registry& registry, const std::string& registryVersionTag,
                               const std::string& installFolder);

// The first entry that contains the text, case-sensitive, as a saved filter
// picks a format box's entry.
std::optional<std::string> FirstEntryContaining(const std::vector<std::string>& entries, std::string_view text);

}  // namespace korrin
