#include "ContainerReader.h"

#include "StandinContainer.h"
#include "StandinFailures.h"
#include "documents/DocumentKeys.h"
#include "documents/LineTokens.h"
#include "documents/SheetLine.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

std::string FirstWord(const std::string& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return "";
  return line.substr(start, line.find_first_of(" \t", start) - start);
}

Status ReadFormat(const std::vector<std::string>& lines) {
  constexpr std::size_t kFormatLine = 2;
  if (lines.size() < kFormatLine || FirstWord(lines[kFormatLine - 1]) != kContainerFormatKey) {
    return Unspecified("line 2: the container format is missing");
  }
  LineTokens line(lines[kFormatLine - 1], kFormatLine);
  line.Keyword(kContainerFormatKey);
  const std::int32_t version = line.WholeNumber("container format", 1);
  line.End();
  if (line.ok() && version > kContainerFormatVersion) {
    return Unspecified("its container format " + std::to_string(version) + " is newer than this host reads (" +
                       std::to_string(kContainerFormatVersion) + ")");
  }
  return line.status();
}

StandinSheet ReadSheet(LineTokens& line) {
  line.Keyword(kSheetKey);
  StandinSheet sheet = ReadSheetFrame(line);
  line.End();
  return sheet;
}

}  // namespace

Result<ContainerRead> ReadContainer(const std::string& path) {
  TextFileRead read = ReadTextFile(path);
  if (!read.complete()) return read.failure;
  ContainerRead container;
  container.lines = std::move(read.lines);
  const std::vector<std::string>& lines = container.lines;
  if (lines.empty() || lines[0] != kContainerSignature) return Unspecified("it is no stand-in container");
  if (Status format = ReadFormat(lines); !format) return Unspecified(format.failure().description);
  for (std::size_t index = 2; index < lines.size(); ++index) {
    const std::string key = FirstWord(lines[index]);
    LineTokens line(lines[index], index + 1);
    if (key == kContainerKindKey) {
      line.Keyword(kContainerKindKey);
      container.kind = line.Word("kind");
      line.End();
    } else if (key == kSheetKey) {
      StandinSheet sheet = ReadSheet(line);
      if (line.ok()) container.sheets.push_back(std::move(sheet));
    }
    if (!line.ok()) return Unspecified(line.status().failure().description);
  }
  if (container.kind.empty()) return Unspecified("it names no kind");
  return container;
}

}  // namespace korrin::standin
