#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/BatchCommandLine.h"
#include "host/HostConnector.h"
#include "ports/EventPump.h"
#include "ports/Printers.h"
#include "ports/ProcessTable.h"
#include "ports/WindowLink.h"
#include "settings/ProgramSettings.h"
#include "settings/Registry.h"

namespace korrin {

// What korrin-batch works with; main() makes the real ones, tests their own.
struct BatchPorts {
  Registry& registry;
  host::HostConnector& connector;
  ProcessTable& processes;
  const Printers& printers;
  ProgramPlace place;
  std::ostream& out;  // run log lines and the summary line
  std::ostream& err;  // message boxes with their answers, progress, problems
  bool showProgress = false;
  // Where the AutoCAD templates are unless the request names a folder;
  // empty for the built-in default.
  std::string acadTemplateFolder;
  // The watcher's window, which takes the name of every print.
  WindowLink* watcher = nullptr;
  // The system's events for the program's thread, served at every yield;
  // none on Linux.
  EventPump* systemEvents = nullptr;
};

// One korrin-batch run: starts the program as the main window would, applies
// the request's choices, collects the documents of its paths, runs the
// conversion and writes what was asked for. Returns the exit status: 0 all
// converted, 1 some skipped or failed, 2 not started or not finished, 64 a
// choice the program does not offer.
int RunBatchJob(const BatchRequest& request, BatchPorts& ports);

// What both programs' main() do before their system's ports exist: reads the
// host deadlines from the environment and the arguments, answers --help,
// --version, a usage error and --catalogue on the console, and otherwise
// hands the request to run. Returns the exit status.
int RunBatchCommand(const std::vector<std::string>& arguments, const std::string& programFolder, const Printers& printers,
                    const std::function<int(const BatchRequest&)>& run);

}  // namespace korrin
