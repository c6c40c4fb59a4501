#pragma once

#include <memory>

#include "host/HostConnector.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"
#include "ports/ProcessTable.h"

namespace korrin {

// The host the program already talks to, else a new one. False, with host
// left empty, when neither can be had; failures are not kept.
bool GetOrStartHost(host::HostConnector& connector, std::shared_ptr<host::Application>& host);

// Everything PrepareHost works with.
struct HostPreparation {
  host::HostConnector& connector;
  ProcessTable& processes;
  Dialogs& dialogs;
  EventPump& events;
};

// Makes sure exactly one well-behaved host, or none, runs before a run: more
// than one is shut down (after the user agrees), an unreachable one is
// ended, and the documents a reachable one has open are closed without
// saving (after the user agrees). True when the run may start. The host
// handle used here is released before it returns.
bool PrepareHost(const HostPreparation& preparation);

}  // namespace korrin
