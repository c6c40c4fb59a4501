#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "formats/FormatCatalogue.h"

namespace korrin {

// Status panel 3's texts: a run starts from it while it reads "Export";
// while an operation is busy it reads "Abort" and stops the operation.
inline constexpr const char* kExportCommand = "Export";
inline constexpr const char* kAbortCommand = "Abort";

// The main window's controls around the conversion list, as the file list
// operations drive them.
class FileListView : public ExportChoiceForm {
 public:
  // Label2: the conversion list's count text.
  virtual void ShowListCount(const std::string& text) = 0;
  // Label9: the selection counter.
  virtual void ShowSelectionCount(const std::string& text) = 0;
  // How many entries of the conversion list are selected now.
  virtual std::size_t SelectedEntryCount() const = 0;
  // Status panel 3: "Export", or "Abort" while an operation is busy.
  virtual void ShowCommandPanel(const std::string& text) = 0;
  // Makes an entry of the import format box its choice without raising the
  // box's change handling; the caller runs that itself.
  virtual void ShowImportChoice(std::size_t index) = 0;
  // The source file panel's pattern; the panel lists its folder anew.
  virtual void SetSourcePattern(const std::string& pattern) = 0;
  // Refills the export format box; its first entry becomes the choice.
  virtual void ShowExportFormats(const std::vector<std::string>& captions) = 0;
  // Enables the "Verify IV Documents" button.
  virtual void EnableVerify() = 0;
};

}  // namespace korrin
