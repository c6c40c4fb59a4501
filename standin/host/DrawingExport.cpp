#include "DrawingExport.h"

#include "HostPaths.h"
#include "settings/SettingsLine.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

constexpr std::string_view kDwgExtension = ".dwg";
constexpr const char* kTemplateSetting = "AUTOCAD TEMPLATE";

std::string OptionNamed(const ContainerContent& content, const std::string& name) {
  for (const auto& [entryName, value] : content.options) {
    if (entryName == name) return value;
  }
  return "";
}

}  // namespace

std::vector<std::string> DwgSheetFileNames(const std::string& path, std::size_t sheetCount) {
  if (sheetCount <= 1) return {path};
  const bool hasExtension = EndsWithIgnoringCase(path, kDwgExtension);
  const std::string stem = hasExtension ? path.substr(0, path.size() - kDwgExtension.size()) : path;
  const std::string extension = hasExtension ? path.substr(stem.size()) : std::string(kDwgExtension);
  std::vector<std::string> names;
  for (std::size_t number = 1; number <= sheetCount; ++number) {
    names.push_back(stem + "_" + std::to_string(number) + extension);
  }
  return names;
}

std::optional<std::string> AcadTemplateOf(const std::string& settingsFile) {
  if (settingsFile.empty()) return std::nullopt;
  const TextFileRead read = ReadTextFile(settingsFile);
  if (!read.complete()) return std::nullopt;
  for (const std::string& line : read.lines) {
    const KeyValue setting = SplitKeyValue(line);
    if (KeysEqual(setting.key, kTemplateSetting)) {
      if (setting.value.empty()) return std::nullopt;
      return setting.value;
    }
  }
  return std::nullopt;
}

Status WriteDrawingExport(TranslatorFormat format, ContainerContent content, const std::vector<StandinSheet>& sheets,
                          const std::string& path) {
  content.acadTemplate = AcadTemplateOf(OptionNamed(content, kAcadSettingsOption));
  if (format != TranslatorFormat::Dwg || sheets.size() <= 1) {
    content.sheets = sheets;
    return WriteContainer(path, content);
  }
  const std::vector<std::string> names = DwgSheetFileNames(path, sheets.size());
  for (std::size_t index = 0; index < names.size(); ++index) {
    content.sheets = {sheets[index]};
    if (Status written = WriteContainer(names[index], content); !written) return written;
  }
  return {};
}

}  // namespace korrin::standin
