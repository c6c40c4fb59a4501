#include "settings/ExportTemplateFile.h"

#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

std::string TemplatePath(const std::string& programFolder) {
  return WithTrailingBackslash(programFolder) + kExportTemplateFileName;
}

std::string OpenFailureMessage(const std::string& path) {
  return "Error opening: " + path +
         "\rThis file has to be present in the Korrin program directory, and is installed with Korrin"
         "\rIf the file was accidently deleted, reinstall Korrin"
         "\rYou may backup your INIfiles at copy them back after the reinstall";
}

void ShowWriteFailure(const Failure& failure, Dialogs& dialogs) {
  dialogs.ShowMessage("Error writing KorrinINIFile\r" + failure.description);
}

}  // namespace

TemplateLoad LoadExportTemplate(const std::string& programFolder, ExportTemplateLines& store, Dialogs& dialogs) {
  const std::string path = TemplatePath(programFolder);
  TextFileRead read = ReadTextFile(PathFromText(path));
  switch (read.outcome) {
    case TextFileRead::Outcome::OpenFailed:
      dialogs.ShowMessage(OpenFailureMessage(path));
      return TemplateLoad::EndProgram;
    case TextFileRead::Outcome::ReadFailed: {
      const std::size_t count = read.lines.size();
      store.Replace(std::move(read.lines));
      dialogs.ShowMessage("Error reading line: " + std::to_string(count) + " of: " + path);
      return TemplateLoad::ReadStopped;
    }
    case TextFileRead::Outcome::Complete:
      break;
  }
  const bool empty = read.lines.empty();
  store.Replace(std::move(read.lines));
  if (empty) {
    dialogs.ShowMessage(std::string("There are no valid information in:\r") + kExportTemplateFileName +
                        "\rRename the BAK file to INI and try again");
    return TemplateLoad::EndProgram;
  }
  return TemplateLoad::Loaded;
}

bool SaveExportTemplate(const std::string& programFolder, ExportTemplateLines& store,
                        const std::function<void()>& collectAllTabs, Dialogs& dialogs) {
  const std::string folder = WithTrailingBackslash(programFolder);
  const std::string path = folder + kExportTemplateFileName;
  // The previous file becomes the one backup copy. There may be no previous
  // file; the save goes on without a backup then, as before.
  (void)CopyFileReplacing(PathFromText(path), PathFromText(folder + kExportTemplateBackupName));

  Result<FileReplacement> replacement = FileReplacement::Start(PathFromText(path));
  if (!replacement) {
    ShowWriteFailure(replacement.failure(), dialogs);
    return false;
  }
  collectAllTabs();
  if (const Status written = replacement.value().Commit(store.lines()); !written) {
    ShowWriteFailure(written.failure(), dialogs);
    return false;
  }
  return true;
}

}  // namespace korrin
