#include "frontend/RunChecks.h"

#include <filesystem>
#include <system_error>

#include "settings/PathConversion.h"

namespace korrin {

bool CheckExportFolderExists(const std::string& exportFolder, Dialogs& dialogs) {
  std::error_code error;
  if (!exportFolder.empty() && !std::filesystem::is_directory(PathFromText(exportFolder), error)) {
    dialogs.ShowMessage("Directory: \r" + exportFolder + "\r does not exist");
    return false;
  }
  return true;
}

bool CheckRunCanStart(const std::string& exportFolder, bool listIsEmpty, const std::string& projectFile,
                      Dialogs& dialogs) {
  if (!CheckExportFolderExists(exportFolder, dialogs)) return false;
  if (listIsEmpty) {
    dialogs.ShowMessage("No files to convert...");
    return false;
  }
  if (projectFile.empty()) {
    dialogs.ShowMessage("Select an Inventor Project File before exporting");
    return false;
  }
  return true;
}

}  // namespace korrin
