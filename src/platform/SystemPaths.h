#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What the program-folder calls ask of the system, one implementation per
// platform (SystemPathsPosix.cpp, windows/SystemPaths.cpp).
namespace korrin::system_paths {

// The running executable's full path; empty when the system cannot tell.
std::filesystem::path ExecutablePath();

// An environment variable's value as UTF-8 text; none when it is not set.
// On Windows it is read in UTF-16, so a value outside the code page survives.
std::optional<std::string> EnvironmentText(const char* name);

// The system's temporary folder when the environment names none.
std::string FallbackTempFolder();

// The variables naming the temporary folder, the preferred first.
inline constexpr const char* kTempVariables[] = {
    "TEMP",
#ifdef _WIN32
    "TMP",
#else
    "TMPDIR",
#endif
};

}  // namespace korrin::system_paths
