#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/HostConnector.h"
#include "host/HostInstallation.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"
#include "ports/Printers.h"
#include "ports/ProcessTable.h"
#include "settings/ExportTemplateLines.h"
#include "settings/ProgramSettings.h"
#include "settings/Registry.h"

namespace korrin {

struct StartPorts {
  Registry& registry;
  host::HostConnector& connector;
  ProcessTable& processes;
  Dialogs& dialogs;
  EventPump& events;
  const Printers& printers;
  ProgramPlace place;
};

// What the main window holds once loaded: the saved choices, the installed
// host, the export template, and the fields a run reads.
struct ProgramState {
  ProgramSettings settings;
  std::string installFolder;
  HostVersion version;
  std::string caption;
  ExportTemplateLines options;
  std::string projectFile;
  std::string importCaption;           // empty when no import format is chosen
  std::vector<std::string> exportCaptions;  // offered for the import format
  std::string exportCaption;           // empty when none is chosen
  std::optional<std::string> exportFolder;  // set when "Export folder" is ticked
  std::string exportIniFile;
  std::string importIniFile;
  bool printDocuments = false;
  bool printEnabled = true;

  // The user picks an import format: the offered export formats follow and
  // the first of them is chosen.
  void ChooseImportFormat(const std::string& caption);
  // The user picks an export format: the settings files and the print box
  // follow it, and it is remembered.
  void ChooseExportFormat(const std::string& caption);
  // The user fills a field; the saved choices follow as the window's
  // fields keep them.
  void SetExportIniFile(const std::string& path);
  void SetImportIniFile(const std::string& path);
  void SetExportFolder(std::optional<std::string> folder);
};

// The program's start without a window, in the main window's order: the
// settings, the installed host and the document reader's self-test, its
// version, the export template, the host session, then the fields from the
// saved choices. Empty when the program must end; the user was told why.
// chooseFormats may change the format choice before the host is looked at;
// when it returns false the program ends there.
std::optional<ProgramState> StartProgram(const StartPorts& ports,
                                         const std::function<bool(ProgramState&)>& chooseFormats = {});

}  // namespace korrin
