#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "filelist/ConversionList.h"
#include "filelist/FileListView.h"
#include "ports/AbortFlag.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"
#include "settings/PathText.h"
#include "settings/ProgramSettings.h"

namespace korrin {

inline constexpr const char* kImportChangeQuestion =
    "Fileextension changed. About to remove files in exportpanel, continue ?";

// "3/120 Selected"
std::string SelectionCountText(std::size_t selected, std::size_t total);

// The operations on the conversion list and the import and export format
// choices that shape it, independent of the widgets that show them.
class FileList {
 public:
  struct Ports {
    FileListView& view;
    Dialogs& dialogs;
    EventPump& pump;
    AbortFlag& abort;
  };

  FileList(ConversionList& list, ProgramSettings& settings, Ports ports, char separator = kNativeSeparator);

  const ConversionList& list() const { return list_; }
  bool Contains(const std::string& path) const { return list_.Contains(path); }

  // Adds the named files of a source folder, skipping those listed. Stops
  // before the next file once the abort flag is up; the operation does not
  // yield, so only a flag raised before it started stops it.
  void AddSelected(const std::string& folder, const std::vector<std::string>& selectedNames);
  // Adds full paths, skipping those listed, and lets window events run after
  // each one, so the window repaints during a long drop.
  void AddDraggedFiles(const std::vector<std::string>& paths);
  // Removes the given rows (the list's selection).
  void RemoveMarked(std::vector<std::size_t> rows);
  void RemoveAll();
  // Shows the selection counter anew.
  void UpdateSelectionCount();

  // The import format box got a new choice (by the user or at start-up).
  // A list of files of another format is emptied only when the user agrees;
  // on Cancel the box goes back to the format of the listed files.
  void ChangeImportFormat(std::size_t index);
  // The export format box got a new choice.
  void ChangeExportFormat(const std::string& caption);

 private:
  void ApplyImportFormat(std::size_t index, bool askBeforeEmptying);
  bool EmptyListOfOtherFormat();
  void UpdateCounts();

  ConversionList& list_;
  ProgramSettings& settings_;
  Ports ports_;
  char separator_;
};

}  // namespace korrin
