#include "StandinReaders.h"

#include "HostStartSettings.h"
#include "StandinApprentice.h"
#include "StandinFailures.h"
#include "host/HostInstallation.h"

namespace korrin::standin {

// The reader needs only the release; it reads the active project when asked.
Result<std::unique_ptr<host::Apprentice>> NewStandinApprentice(Registry& registry,
                                                               std::shared_ptr<std::size_t> documentReads) {
  auto found = HostVersionTag(registry);
  if (!found) return found.failure();
  const std::string tag = found.value();
  auto activeProject = [&registry, tag]() -> Result<std::string> {
    RegistryValue project;
    if (!registry.ReadRegistryValue(RegistryRoot::CurrentUser, HostUserKey(tag, kExternalReferencesKey),
                                    kActiveProjectValueName, project) ||
        !std::holds_alternative<std::string>(project)) {
      return Unspecified("No active project is set.");
    }
    return std::get<std::string>(project);
  };
  return std::unique_ptr<host::Apprentice>(
      std::make_unique<StandinApprentice>(ReleaseOfTag(tag), std::move(activeProject), std::move(documentReads)));
}

}  // namespace korrin::standin
