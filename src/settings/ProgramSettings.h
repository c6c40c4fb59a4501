#pragma once

#include <filesystem>
#include <string>

#include "ports/Dialogs.h"
#include "ports/Result.h"

namespace korrin {

inline constexpr const char* kProgramSettingsFileName = "Korrin.ini";

// The main window's last choices, kept between program runs in Korrin.ini in
// the program folder. The names are the keys of the file.
struct ProgramSettings {
  std::string BatchLastFolder;
  std::string BatchExportToFolder;
  std::string BatchlastExportToFolder;
  std::string BatchLastImportFilter;
  std::string BatchLastExportFilter;
  std::string BatchLastSettingFile;
  std::string BatchLastExportDWGFile;
  std::string BatchLastExportDXFFile;
  std::string BatchLastImportDWGFile;

  bool operator==(const ProgramSettings&) const = default;
};

// Where the program lives and what the defaults are made of.
struct ProgramPlace {
  std::string programFolder;
  std::string tempFolder;  // the user's temporary folder (TEMP)
};

// Fills the values from the file, leaving values the file lacks as they are,
// then gives every empty value its default. A missing or unreadable file is no
// error: a first start has none. Each line with an unknown key is reported.
void ReadProgramSettings(const ProgramPlace& place, ProgramSettings& settings, Dialogs& dialogs);

// Rewrites the whole file: the header line and the nine values. Lines the old
// file held besides these are not kept. The caller decides whether a failure
// is worth telling; the program ends silently.
Status WriteProgramSettings(const ProgramPlace& place, const ProgramSettings& settings);

}  // namespace korrin
