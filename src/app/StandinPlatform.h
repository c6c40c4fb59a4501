#pragma once

#include "OcctGeometryExchange.h"
#include "StandinConnector.h"
#include "StandinProcessTable.h"
#include "platform/linux/LocalSocketWindowLink.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/SqliteRegistry.h"

namespace korrin {

// What both programs drive on this system: the registry store, the
// stand-in host inside the process, the system's processes with the host
// among them, and the watcher's window.
struct StandinPlatform {
  SqliteRegistry registry{RegistryFolder()};
  standin::OcctGeometryExchange geometry;
  standin::StandinConnector connector{registry, &geometry};
  ProcProcessTable systemProcesses;
  standin::StandinProcessTable processes{systemProcesses, connector};
  LocalSocketWindowLink watcher;
};

}  // namespace korrin
