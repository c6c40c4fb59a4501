#include "settings/ProgramSettings.h"

#include <array>

#include "settings/ExportTemplateFile.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/SettingsLine.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

struct SettingKey {
  const char* written;  // spelling kept: stored files carry "Batchlast" in the third key
  std::string ProgramSettings::*value;
};

// In the order the file is written.
constexpr std::array<SettingKey, 9> kKeys{{
    {"BatchLastFolder", &ProgramSettings::BatchLastFolder},
    {"BatchExportToFolder", &ProgramSettings::BatchExportToFolder},
    {"BatchlastExportToFolder", &ProgramSettings::BatchlastExportToFolder},
    {"BatchLastImportFilter", &ProgramSettings::BatchLastImportFilter},
    {"BatchLastExportFilter", &ProgramSettings::BatchLastExportFilter},
    {"BatchLastSettingFile", &ProgramSettings::BatchLastSettingFile},
    {"BatchLastExportDWGFile", &ProgramSettings::BatchLastExportDWGFile},
    {"BatchLastExportDXFFile", &ProgramSettings::BatchLastExportDXFFile},
    {"BatchLastImportDWGFile", &ProgramSettings::BatchLastImportDWGFile},
}};

constexpr const char* kHeader = "[INI-Settings for Korrin]";

// A broken file (binary bytes, a megabyte line) must not bury the user in
// message boxes: long lines are shortened in the message, and after this many
// messages the rest are counted in one.
constexpr std::size_t kMessagesShown = 10;
constexpr std::size_t kLineShownLength = 260;

std::filesystem::path SettingsPath(const ProgramPlace& place) {
  return PathFromText(WithTrailingBackslash(place.programFolder) + kProgramSettingsFileName);
}

std::string LineForMessage(const std::string& line) {
  if (line.size() <= kLineShownLength) return line;
  return line.substr(0, kLineShownLength) + "...";
}

bool IsSkipped(const std::string& line) { return line.empty() || line.front() == '[' || line.front() == ';'; }

void ApplyDefaults(const ProgramPlace& place, ProgramSettings& settings) {
  auto default_to = [](std::string& value, std::string fallback) {
    if (value.empty()) value = std::move(fallback);
  };
  default_to(settings.BatchLastFolder, WithTrailingBackslash(place.programFolder));
  default_to(settings.BatchExportToFolder, "1");
  default_to(settings.BatchlastExportToFolder, place.tempFolder);
  default_to(settings.BatchLastImportFilter, "*.IDW");
  default_to(settings.BatchLastExportFilter, "Printer");
  default_to(settings.BatchLastSettingFile, WithTrailingBackslash(place.programFolder) + kExportTemplateFileName);
}

}  // namespace

void ReadProgramSettings(const ProgramPlace& place, ProgramSettings& settings, Dialogs& dialogs) {
  const TextFileRead read = ReadTextFile(SettingsPath(place));
  std::size_t invalid_lines = 0;
  for (const std::string& line : read.lines) {
    if (IsSkipped(line)) continue;
    KeyValue split = SplitKeyValue(line);
    const SettingKey* match = nullptr;
    for (const SettingKey& key : kKeys) {
      if (KeysEqual(split.key, key.written)) {
        match = &key;
        break;
      }
    }
    if (match != nullptr) {
      settings.*(match->value) = std::move(split.value);
    } else if (++invalid_lines <= kMessagesShown) {
      dialogs.ShowMessage(std::string("Invalid entry in ") + kProgramSettingsFileName + "\rInvalid line: \r" +
                          LineForMessage(line));
    }
  }
  if (invalid_lines > kMessagesShown) {
    dialogs.ShowMessage(std::string("Invalid entry in ") + kProgramSettingsFileName + "\r" +
                        std::to_string(invalid_lines - kMessagesShown) + " more invalid lines were skipped");
  }
  ApplyDefaults(place, settings);
}

Status WriteProgramSettings(const ProgramPlace& place, const ProgramSettings& settings) {
  std::vector<std::string> lines{kHeader};
  for (const SettingKey& key : kKeys) lines.push_back(std::string(key.written) + "=" + settings.*(key.value));
  return WriteTextFile(SettingsPath(place), lines);
}

}  // namespace korrin
