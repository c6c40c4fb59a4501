#pragma once

#include <string>

#include "host/HostConnector.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"
#include "ports/ProcessTable.h"
#include "settings/ExportTemplateLines.h"
#include "settings/Registry.h"

namespace korrin {

// What the preparations of the host's translator settings work with.
struct TranslatorPreparation {
  Registry& registry;
  std::string registryVersionTag;
  Dialogs& dialogs;
  ProcessTable& processes;
  host::HostConnector& connector;
  EventPump& events;
  const ExportTemplateLines& options;
};

// The host reads the STL resolutions and the import healing and stitching
// switches from its registry only when it starts. Each preparation writes
// the export options' values there; when they differ from what a running
// host read, it first asks to shut the host down so that the next start
// picks them up. False when the run must not start.
bool PrepareStlResolution(const TranslatorPreparation& preparation);
bool PrepareIgesImport(const TranslatorPreparation& preparation);
bool PrepareStepImport(const TranslatorPreparation& preparation);

enum class ShutDownVariant { Stl, Import };

// Ends the running host so that it restarts with new settings, closing its
// documents without saving once the user agreed. False when the user keeps it.
bool ShutDownHostForSettings(const TranslatorPreparation& preparation, ShutDownVariant variant);

}  // namespace korrin
