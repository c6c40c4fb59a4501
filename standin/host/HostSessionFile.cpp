#include "HostSessionFile.h"

#include <charconv>
#include <sstream>

#include "settings/SettingsLine.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

constexpr const char* kSignature = "KORRIN STAND-IN HOST SESSION";

std::string Flag(bool value) { return value ? "1" : "0"; }

bool ReadNumber(std::string_view text, std::int32_t& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

bool ReadFlag(std::string_view text, bool& flag) {
  if (text != "0" && text != "1") return false;
  flag = text == "1";
  return true;
}

// Whole numbers separated by single blanks, as many as there are targets.
bool ReadNumbers(const std::string& text, std::initializer_list<std::int32_t*> targets) {
  std::istringstream words(text);
  std::string word;
  for (std::int32_t* target : targets) {
    if (!(words >> word) || !ReadNumber(word, *target)) return false;
  }
  return !(words >> word);
}

bool ReadLine(const KeyValue& line, StandinSettings& settings) {
  const std::string& value = line.value;
  if (line.key == "release") return ReadNumbers(value, {&settings.release.majorNumber, &settings.release.minorNumber});
  if (line.key == "stl-resolutions") {
    return ReadNumbers(value, {&settings.stlResolutions[0], &settings.stlResolutions[1], &settings.stlResolutions[2]});
  }
  if (line.key == "acis-version") {
    settings.acisVersion = value;
    return true;
  }
  if (line.key == "iges-healing") return ReadFlag(value, settings.igesImport.healing);
  if (line.key == "iges-stitching") return ReadFlag(value, settings.igesImport.stitching);
  if (line.key == "step-healing") return ReadFlag(value, settings.stepImport.healing);
  if (line.key == "step-stitching") return ReadFlag(value, settings.stepImport.stitching);
  return false;
}

}  // namespace

Status WriteHostSession(const std::string& path, const StandinSettings& settings) {
  const auto& stl = settings.stlResolutions;
  return WriteTextFile(path, {
                                 kSignature,
                                 "release=" + std::to_string(settings.release.majorNumber) + " " +
                                     std::to_string(settings.release.minorNumber),
                                 "stl-resolutions=" + std::to_string(stl[0]) + " " + std::to_string(stl[1]) + " " +
                                     std::to_string(stl[2]),
                                 "acis-version=" + settings.acisVersion,
                                 "iges-healing=" + Flag(settings.igesImport.healing),
                                 "iges-stitching=" + Flag(settings.igesImport.stitching),
                                 "step-healing=" + Flag(settings.stepImport.healing),
                                 "step-stitching=" + Flag(settings.stepImport.stitching),
                             });
}

std::optional<StandinSettings> ReadHostSession(const std::string& path, StandinSettings base) {
  const TextFileRead read = ReadTextFile(path);
  if (!read.complete() || read.lines.empty() || read.lines.front() != kSignature) return std::nullopt;
  for (std::size_t number = 1; number < read.lines.size(); ++number) {
    if (read.lines[number].empty()) continue;
    if (!ReadLine(SplitKeyValue(read.lines[number]), base)) return std::nullopt;
  }
  return base;
}

}  // namespace korrin::standin
