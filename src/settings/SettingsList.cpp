#include "settings/SettingsList.h"

#include "settings/SettingsLine.h"
#include "settings/TextFile.h"

namespace korrin {

SettingsListLoad LoadSettingsList(const std::filesystem::path& path, Dialogs& dialogs) {
  const TextFileRead read = ReadTextFile(path);
  SettingsListLoad load;
  load.rows.reserve(read.lines.size());
  for (const std::string& line : read.lines) {
    KeyValue split = SplitKeyValue(line);
    const bool section = !line.empty() && line.front() == '[' && line.back() == ']';
    load.rows.push_back({std::move(split.key), std::move(split.value), section});
  }
  load.complete = read.complete();
  if (!load.complete) dialogs.ShowMessage("Error reading: \r" + read.failure.description);
  return load;
}

}  // namespace korrin
