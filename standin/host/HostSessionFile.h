#pragma once

#include <optional>
#include <string>

#include "StandinSettings.h"

namespace korrin::standin {

// A stand-in host runs inside the program that drives it, but a real host
// outlives the run that started it: the next run finds it running, with
// the settings it read from the registry when it started. The session file
// in the host's program folder plays that part: it exists while the host
// runs and holds what the host read at its start.
inline constexpr const char* kHostSessionFileName = "Inventor.session";

// Writes the settings a host started with; replaces the file atomically.
Status WriteHostSession(const std::string& path, const StandinSettings& settings);

// The settings of the running host (release, STL resolutions, ACIS version,
// import repair); nothing when no host runs or the file is damaged. Fields
// the file does not hold keep the values of base.
std::optional<StandinSettings> ReadHostSession(const std::string& path, StandinSettings base);

}  // namespace korrin::standin
