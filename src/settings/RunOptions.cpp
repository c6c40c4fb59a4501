#include "settings/RunOptions.h"

#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/SettingsLine.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

constexpr const char* kHeader = "[Korrin run options]";
constexpr const char* kSkipExistingKey = "SkipDocumentsAlreadyConverted";

std::filesystem::path OptionsPath(const std::string& programFolder) {
  return PathFromText(WithTrailingBackslash(programFolder) + kRunOptionsFileName);
}

}  // namespace

RunOptions ReadRunOptions(const std::string& programFolder) {
  RunOptions options;
  for (const std::string& line : ReadTextFile(OptionsPath(programFolder)).lines) {
    const KeyValue split = SplitKeyValue(line);
    if (KeysEqual(split.key, kSkipExistingKey) && (split.value == "0" || split.value == "1")) {
      options.skipExisting = split.value == "1";
    }
  }
  return options;
}

Status WriteRunOptions(const std::string& programFolder, const RunOptions& options) {
  return WriteTextFile(OptionsPath(programFolder),
                       {kHeader, std::string(kSkipExistingKey) + "=" + (options.skipExisting ? "1" : "0")});
}

}  // namespace korrin
