#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/AcadTemplateSetup.h"
#include "engine/HostWait.h"
#include "engine/RunProgress.h"
#include "engine/RunView.h"
#include "filelist/ConversionList.h"
#include "host/HostConnector.h"
#include "ports/AbortFlag.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"
#include "ports/Printers.h"
#include "ports/ProcessTable.h"
#include "ports/WindowLink.h"
#include "settings/ExportTemplateLines.h"
#include "settings/Registry.h"

namespace korrin {

// The main window's fields a run reads, as the front end hands them over.
struct RunInputs {
  std::string importCaption;
  std::string exportCaption;
  bool useExportFolder = false;
  std::string exportFolder;  // the run takes one trailing separator away, as the window shows
  std::string exportIniFile;
  std::string importIniFile;
  std::string projectFile;  // the run puts a shortcut's target in its place
  bool printDocuments = false;
  bool skipReferenceCheck = true;
  // Skip an entry whose outputs are all newer than it.
  bool skipExisting = false;
  // The list's selected entry; the run leaves it where the next run should
  // continue: the entry being processed after an abort, none otherwise.
  std::optional<std::size_t> selected;
};

// Everything else a run works with.
struct RunEnvironment {
  host::HostConnector& connector;
  ProcessTable& processes;
  Registry& registry;
  Dialogs& dialogs;
  EventPump& events;
  RunView& view;
  AbortFlag& abort;
  const ExportTemplateLines& options;
  std::string registryVersionTag;
  std::string hostVersionNumber;
  std::string programFolder;
  HostWaitLimit waitLimit;
  std::function<WallClock::time_point()> now = [] { return WallClock::now(); };
  char decimalSeparator = '.';
  // How drawings exported to DWG are finished in AutoCAD; none keeps the
  // lineweights and the host's title blocks.
  AcadTemplateSetup* acadSetup = nullptr;
  // The printers a print run checks papers against; none publish media
  // when none are given.
  const Printers* printers = nullptr;
  // The watcher's window, which takes the name of every print; none
  // when no watcher is reachable.
  WindowLink* watcher = nullptr;
};

// Asked when a run starts from a selected entry other than the first.
inline constexpr const char* kContinueQuestion =
    "Continue from selected document ? ( selected is not the first in the list ) ";

// UpToDate: skipped because its outputs were newer than it (a re-run that
// skips what is done); it counts as done.
enum class EntryOutcome { Converted, Skipped, Failed, NotReached, UpToDate };

// What became of one entry, and the log line that decided it.
struct EntryRecord {
  std::string path;
  EntryOutcome outcome = EntryOutcome::NotReached;
  std::string reason;
  // The files it wrote (a converted entry), or found newer than it (one up
  // to date).
  std::vector<std::string> outputs;
  std::int64_t bytes = 0;  // the source's size
  std::chrono::milliseconds took{0};
};

struct RunResult {
  // True when the run ended in order ("Ready" logged, report to be shown);
  // false when it left at once (a failed preparation, a failed restart).
  bool orderlyEnd = false;
  std::vector<EntryRecord> entries;  // one per list entry, in list order
};

// One conversion run over the list: prepares and starts the host, works
// through the entries (open, check, export, print, close, progress),
// recovers from a host that fails by restarting it once per entry, and ends
// in order. A wait on the host that passes the time limit fails the entry
// and restarts the host before the next one.
RunResult StartRun(const ConversionList& list, RunInputs& inputs, RunEnvironment& environment);

}  // namespace korrin
