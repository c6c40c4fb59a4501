#pragma once

#include <optional>
#include <string>

#include "engine/RunLog.h"
#include "host/Application.h"
#include "settings/PathText.h"

namespace korrin {

// The output base path of an entry: the output folder and the base name,
// without an extension.
struct OutputBase {
  std::string path;
  // The export folder field as the run leaves it (one trailing separator
  // taken away), when the export folder is used.
  std::optional<std::string> exportFolderField;
};

// With an export folder: the folder and the entry's file name cut before its
// first full stop ("gear.rev2.ipt" gives "gear"). Without one: the
// document's full file name, or the entry's name when the document was never
// saved, without its last four characters, so the output lands beside the
// source.
OutputBase OutputBasePath(const std::string& entry, bool useExportFolder, const std::string& exportFolderField,
                          const std::string& documentFullFileName);

// The name the host opens for an entry. Where file names ignore case the
// entry goes lower-cased, as hosts there have always been given it; where
// case tells files apart, that would name another file or none, so the
// entry goes as the list holds it.
std::string NameToOpen(const std::string& entry, FileNameCase names = kNativeFileNameCase);

// Closes the entry's document without saving, then every other document the
// host still has open, restoring a notebook's window first; stops with a log
// line naming the entry at a document that will not close. Failures of the
// closes are cleared, as the run clears them.
void CloseEntryDocuments(host::Application& host, std::optional<host::DocumentHandle> document,
                         const std::string& entry, RunLog& log);

}  // namespace korrin
