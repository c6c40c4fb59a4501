#pragma once

#include <functional>
#include <string>

#include "ports/Dialogs.h"
#include "settings/ExportTemplateLines.h"

namespace korrin {

inline constexpr const char* kExportTemplateFileName = "KorrinExportTemplate.INI";
inline constexpr const char* kExportTemplateBackupName = "KorrinExportTemplate.bak";
inline constexpr const char* kExportTemplateFirstLine = "[EXPORTOPTIONS]";

// What the program must do after loading the template.
enum class TemplateLoad {
  Loaded,       // every line read
  ReadStopped,  // a read failed; the lines before it are in use (reported)
  EndProgram,   // no file, or an empty one (reported); the program cannot go on
};

// Replaces the store with the lines of the template in the program folder.
// The store is left as it was when the file cannot be opened.
TemplateLoad LoadExportTemplate(const std::string& programFolder, ExportTemplateLines& store, Dialogs& dialogs);

// Saves the store to the template, keeping the previous file as the one
// backup copy. collectAllTabs moves the settings window's edits into the store
// once the new file could be started; when it could not, the store is left as
// it was. Failures are reported with "Error writing KorrinINIFile"; the
// template on disk is then still the previous one. Returns whether it saved.
bool SaveExportTemplate(const std::string& programFolder, ExportTemplateLines& store,
                        const std::function<void()>& collectAllTabs, Dialogs& dialogs);

}  // namespace korrin
