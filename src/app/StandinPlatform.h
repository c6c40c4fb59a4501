#pragma once

#include "ProcessHostConnector.h"
#include "platform/linux/LocalSocketWindowLink.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/SqliteRegistry.h"

namespace korrin {

// What both programs drive on this system: the registry store, the
// stand-in host as a program of its own ("Inventor.exe" of the
// installation), the system's processes with the host among them, and the
// watcher's window.
struct StandinPlatform {
  SqliteRegistry registry{RegistryFolder()};
  standin::ProcessHostConnector connector{registry};
  ProcProcessTable processes;
  LocalSocketWindowLink watcher;
};

}  // namespace korrin
