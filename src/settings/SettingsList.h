#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ports/Dialogs.h"
#include "settings/FileCodePage.h"

namespace korrin {

// One row of a settings file shown as a key/value list. Section lines
// ("[" first and "]" last) are shown bold and kept whole as the key, even
// when they hold an "=".
struct SettingsListRow {
  std::string key;
  std::string value;
  bool section = false;
  // Whether the line held an "=": "NAME=" and "NAME" both have an empty
  // value, but only the first is written back with its "=".
  bool hasEquals = false;

  bool operator==(const SettingsListRow&) const = default;
};

struct SettingsListLoad {
  std::vector<SettingsListRow> rows;  // after a failure: the rows read before it
  bool complete = false;
  // What the file was read in; saving writes the rows back in it.
  FileCodePage codePage = FileCodePage::Utf8;
};

// Reads a settings file into rows of text (UTF-8), one per line, comments
// and blank lines included; a file that is no UTF-8 is read as Windows-1252.
// A file that cannot be opened or read is reported with "Error reading: "
// and the system's description.
SettingsListLoad LoadSettingsList(const std::filesystem::path& path, Dialogs& dialogs);

}  // namespace korrin
