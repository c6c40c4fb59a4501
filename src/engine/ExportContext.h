#pragma once

#include <optional>
#include <string>

#include "engine/HostWait.h"
#include "engine/RunLog.h"
#include "host/Application.h"
#include "ports/AbortFlag.h"
#include "ports/Dialogs.h"
#include "ports/ProcessTable.h"
#include "ports/Result.h"
#include "settings/ExportTemplateLines.h"
#include "settings/Registry.h"

namespace korrin {

// What the export steps of one entry work with: the host, the run's ports,
// the export option set, the installed host and the main window's fields
// that a run reads.
struct ExportContext {
  host::Application& host;
  Registry& registry;
  Dialogs& dialogs;
  RunLog& log;
  AbortFlag& abort;
  ProcessTable& processes;
  const ExportTemplateLines& options;
  std::string registryVersionTag;
  std::string hostVersionNumber;
  std::string importPattern;  // "*.IPT"
  std::string exportIniFile;  // the "INI-File for EXPORT" field
  bool skipReferenceCheck = true;
  HostWaitLimit waitLimit;
  // The first failed host call the run has not looked at yet.
  std::optional<Failure> pending;
  // A wait found the host gone: the run starts a new one before the next entry.
  bool hostGone = false;

  // The option's text; empty when the set lacks it.
  std::string Option(const std::string& key) const {
    std::string value;
    options.GetExportOption(key, value);
    return value;
  }
  void Keep(const Failure& failure) {
    if (!pending) pending = failure;
  }
  void Keep(const Status& status) {
    if (!status) Keep(status.failure());
  }
};

}  // namespace korrin
