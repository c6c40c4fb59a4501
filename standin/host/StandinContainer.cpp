#include "StandinContainer.h"

#include <charconv>

#include "documents/DocumentKeys.h"
#include "documents/DocumentNumbers.h"
#include "documents/QuotedText.h"
#include "settings/TextFile.h"

namespace korrin::standin {

std::vector<std::string> ContainerLines(const ContainerContent& content) {
  std::vector<std::string> lines = {
      kContainerSignature,
      std::string(kContainerFormatKey) + " " + std::to_string(kContainerFormatVersion),
      std::string(kContainerKindKey) + " " + content.kind,
      "source " + (content.source.empty() ? std::string("(never saved)") : content.source),
      "document " + content.documentType,
  };
  for (const StandinSheet& sheet : content.sheets) lines.push_back(ContainerSheetLine(sheet));
  if (content.acadTemplate) lines.push_back(std::string(kContainerTemplateKey) + " " + *content.acadTemplate);
  for (const auto& [name, value] : content.options) lines.push_back("option " + name + "=" + value);
  return lines;
}

Status WriteContainer(const std::string& path, const ContainerContent& content) {
  return WriteTextFile(path, ContainerLines(content));
}

std::string ContainerSheetLine(const StandinSheet& sheet) {
  const auto yesNo = [](bool value) { return std::string(value ? kYesWord : kNoWord); };
  return std::string(kSheetKey) + " " + QuotedText(sheet.name) + " " + kSheetWidthWord + " " +
         DecimalText(sheet.widthCentimetres) + " " + kSheetHeightWord + " " + DecimalText(sheet.heightCentimetres) +
         " " + kSheetSizeCodeWord + " " + std::to_string(sheet.sizeCode) + " " + kSheetBorderWord + " " +
         yesNo(sheet.border) + " " + kSheetTitleBlockWord + " " + yesNo(sheet.titleBlock);
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
