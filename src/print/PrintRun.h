#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/HostConnector.h"
#include "ports/AbortFlag.h"
#include "ports/Dialogs.h"
#include "ports/Printers.h"
#include "settings/ExportTemplateLines.h"

namespace korrin {

// What the run lends the print run: its log, its yield, the drawing
// readiness check, and the watcher that takes the name of each print.
struct PrintServices {
  std::function<void(const std::string&)> logLine;
  std::function<void()> yield;
  // "" when the active sheet may be printed, otherwise the line to log.
  std::function<std::string()> checkDrawingReady;
  std::function<void(const std::string&)> notifyWatcher;
};

struct PrintSetup {
  host::Application& host;
  host::HostConnector& connector;  // the document reader for an old host's sheet sizes
  const ExportTemplateLines& options;  // the PRINTER option set
  const Printers& printers;
  Dialogs& dialogs;
  AbortFlag& abort;
  std::string paperFile;  // the paper size definitions
  std::string registryVersionTag;
  PrintServices services;
};

// What became of one document's printing.
struct PrintOutcome {
  int submitted = 0;
  // The first line or message that stopped printing or names what was not
  // printed; empty when everything asked for was printed.
  std::string problem;
  // The first host call that failed.
  std::optional<Failure> failure;
};

inline constexpr const char* kPaperNotDefined =
    "Width and height of selected paper not defined\rAdd paperdefinition and papersize in INI-settings before "
    "continuing";
// A paper of the definitions whose width or height is below zero, as "Add
// Papersize" gives for a name without numbers.
inline constexpr const char* kPaperNotPositive =
    "Width and height of selected paper must be greater than 0\rCorrect paperdefinition and papersize in INI-settings "
    "before continuing";

// Prints the host's active document with the PRINTER option set: a drawing
// sheet by sheet on its print manager, any other document through its active
// view. The output base names the print-to-file files and the watcher
// notifications. A paper missing from the definitions, or one without a
// positive size, raises the abort flag. "Best fit selected paper" is the
// template's PrinterFitNoneIDW, where the settings window stores it. Every
// failed print, and every sheet asked for and not printed, is named in the
// log and in the outcome.
PrintOutcome PrintDocument(PrintSetup& setup, const std::string& outputBasePath);

}  // namespace korrin
