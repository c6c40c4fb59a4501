#include "StandinContainer.h"

#include <charconv>

#include "settings/TextFile.h"

namespace korrin::standin {

std::vector<std::string> ContainerLines(const ContainerContent& content) {
  std::vector<std::string> lines = {
      kContainerSignature,
      "format " + std::to_string(kContainerFormatVersion),
      "kind " + content.kind,
      "source " + (content.source.empty() ? std::string("(never saved)") : content.source),
      "document " + content.documentType,
  };
  for (const auto& [name, value] : content.options) lines.push_back("option " + name + "=" + value);
  return lines;
}

Status WriteContainer(const std::string& path, const ContainerContent& content) {
  return WriteTextFile(path, ContainerLines(content));
}

std::string OptionText(const host::OptionValue& value) {
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  if (const auto* real = std::get_if<double>(&value)) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *real);
    return error == std::errc() ? std::string(buffer, end) : "";
  }
  return std::get<std::string>(value);
}

}  // namespace korrin::standin
