#pragma once

#include <string>

#include "ports/Dialogs.h"

namespace korrin {

// The Export command's checks before a run starts, in order; the first that
// fails is shown and the run does not start.
bool CheckRunCanStart(const std::string& exportFolder, bool listIsEmpty, const std::string& projectFile,
                      Dialogs& dialogs);

// The first of those checks: an export folder, when one is used, exists.
bool CheckExportFolderExists(const std::string& exportFolder, Dialogs& dialogs);

}  // namespace korrin
