#pragma once

#include <optional>
#include <string>

#include "engine/ExportContext.h"
#include "host/HostHandles.h"
#include "ports/Dialogs.h"
#include "settings/Registry.h"

namespace korrin {

// The steps particular to runs that import files of other CAD systems.

enum class IniNamesStored { Done, ExitRun };

// Writes the import settings file's name where the host's DWG and DXF
// translators look for it. Only a registry key that cannot be made ends
// the run; a failed write is shown and the next one follows.
IniNamesStored StoreImportIniNames(Registry& registry, const std::string& registryVersionTag, Dialogs& dialogs,
                                   const std::string& importPattern, const std::string& importIniFile);

// Before a DWG import: checks that an import settings file and a readable
// project are chosen, and asks the user to confirm where the documents
// will land. False when the run must not start.
bool CheckImportProject(Dialogs& dialogs, const std::string& importIniFile, const std::string& projectFile,
                        const std::string& exportFolder);

// Opens a DWG file through the host's DWG translator with the import
// settings file; the opened document becomes the run's. Empty when the run
// may go on, otherwise the failure for the run log.
std::string ImportDwgThroughTranslator(ExportContext& context, const std::string& importIniFile,
                                       const std::string& file, std::optional<host::DocumentHandle>& document);

}  // namespace korrin
