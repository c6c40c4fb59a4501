#include "settings/ExportTemplateLines.h"

#include "settings/SettingsLine.h"

namespace korrin {

bool ExportTemplateLines::GetExportOption(std::string_view key, std::string& value) const {
  for (const std::string& line : lines_) {
    KeyValue split = SplitKeyValue(line);
    if (KeysEqual(split.key, key)) {
      value = std::move(split.value);
      return true;
    }
  }
  return false;
}

void ExportTemplateLines::SetExportOption(std::string_view key, std::string_view value) {
  for (std::string& line : lines_) {
    const KeyValue split = SplitKeyValue(line);
    if (KeysEqual(split.key, key)) {
      line = split.key + "=" + std::string(value);
      return;
    }
  }
}

}  // namespace korrin
