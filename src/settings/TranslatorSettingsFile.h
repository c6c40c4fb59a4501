#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Result.h"
#include "settings/FileCodePage.h"
#include "settings/SettingsList.h"

namespace korrin {

// A translator settings file holds the host's DWG/DXF translator options as
// section lines and name=value lines. It is read with LoadSettingsList and
// written back here. An import file starts with the first, a DWG or DXF
// export file with the second of these sections.
inline constexpr const char* kImportSettingsSection = "[IMPORT FILE TYPE]";
inline constexpr const char* kExportSettingsSection = "[EXPORT SELECT OPTIONS]";

// The one backup of a settings file: its path without the last three
// characters, followed by "BAK" ("dwgin.ini" keeps "dwgin.BAK").
std::filesystem::path TranslatorSettingsBackupPath(const std::filesystem::path& path);

// Writes the rows over the settings file at path, one line each, ended with
// CR LF; the file it replaces becomes the backup, replacing the one before.
// A section row is written as its name alone; a row whose line held "=", or
// that has a value now, as name "=" value; any other row (a blank line, a
// comment) as its name alone.
// Only an existing file is saved over: when there is none, nothing is written
// and ENOENT is returned. The new content is written beside the file first
// and moved over it whole, so the file is never missing or half-written.
// When the backup cannot be made, the file is left as it was. Callers may
// ignore the status; it says what went wrong for tests and logs.
// The rows are text and are written in the code page the file was read in;
// a row holding a character the code page has no byte for fails the save
// (EILSEQ) before anything is touched.
Status SaveTranslatorSettings(const std::filesystem::path& path, const std::vector<SettingsListRow>& rows,
                              FileCodePage codePage = FileCodePage::Utf8);

}  // namespace korrin
