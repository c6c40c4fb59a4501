#include "settings/SettingsList.h"

#include "settings/SettingsLine.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

SettingsListRow RowOfLine(const std::string& line) {
  if (!line.empty() && line.front() == '[' && line.back() == ']') return {line, {}, true, false};
  KeyValue split = SplitKeyValue(line);
  const bool hasEquals = line.find('=') != std::string::npos;
  return {std::move(split.key), std::move(split.value), false, hasEquals};
}

}  // namespace

SettingsListLoad LoadSettingsList(const std::filesystem::path& path, Dialogs& dialogs) {
  const TextFileRead read = ReadTextFile(path);
  SettingsListLoad load;
  load.codePage = CodePageOfLines(read.lines);
  load.rows.reserve(read.lines.size());
  for (const std::string& line : read.lines) load.rows.push_back(RowOfLine(TextOfFileBytes(line, load.codePage)));
  load.complete = read.complete();
  if (!load.complete) dialogs.ShowMessage("Error reading: \r" + read.failure.description);
  return load;
}

}  // namespace korrin
