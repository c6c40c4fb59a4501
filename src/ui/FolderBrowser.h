#pragma once

#include <cstdint>
#include <string>

#include "ports/Dialogs.h"

namespace korrin {

// Browsing for a folder as the main window and the settings editor do it:
// the options of the system's folder dialog, and the results its callers
// read afterwards (the chosen path only when the OK switch is set).
class FolderBrowser {
 public:
  // The option switches by the flags of the folder dialog they stand for.
  enum Option : std::uint32_t {
    ReturnOnlyFileSystemFolders = 0x1,
    DoNotGoBelowDomain = 0x2,
    ReturnFileSystemAncestors = 0x8,
    EditBox = 0x10,
    Validate = 0x20,
    BrowseForComputer = 0x1000,
    BrowseForPrinter = 0x2000,
    IncludeFiles = 0x4000,
  };

  explicit FolderBrowser(Dialogs& dialogs) : dialogs_(dialogs) {}

  // All switches off but file-system folders only and validation.
  void ResetOptions() { flags_ = ReturnOnlyFileSystemFolders | Validate; }
  void SetOption(Option option, bool on) { flags_ = on ? flags_ | option : flags_ & ~std::uint32_t{option}; }
  std::uint32_t Flags() const { return flags_; }

  // Clears the OK switch, asks, and keeps the folder the user confirmed.
  void Browse(const std::string& title);
  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }

 private:
  Dialogs& dialogs_;
  std::uint32_t flags_ = ReturnOnlyFileSystemFolders | Validate;
  bool ok_ = false;
  std::string path_;
};

}  // namespace korrin
