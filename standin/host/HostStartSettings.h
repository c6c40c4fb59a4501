#pragma once

#include <string>

#include "StandinSettings.h"
#include "ports/Result.h"
#include "settings/Registry.h"

namespace korrin::standin {

// The installed host's version tag ("RegistryVersion7.0"); fails when the
// registry names none.
Result<std::string> HostVersionTag(Registry& registry);

// The release a version tag names ("RegistryVersion7.0" is 7.0); the keys of
// 5.2 belong to release 5.3.
StandinRelease ReleaseOfTag(const std::string& tag);

// What a host reads from its registry when it starts and keeps until it
// ends: its release, the STL resolutions, the ACIS version, the import
// repair switches, and the user's account name. Clock and geometry are the
// caller's to set.
Result<StandinSettings> HostStartSettings(Registry& registry);

}  // namespace korrin::standin
