#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "documents/StandinDocument.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin::standin {

// Output formats without an open writer (DWG, DWF, SAT, the packages ...)
// are written as small text containers that name the source document and
// the options in effect, so a run's result can still be checked file by file.
inline constexpr const char* kContainerSignature = "KORRIN STAND-IN CONTAINER";
inline constexpr int kContainerFormatVersion = 1;

inline constexpr const char* kContainerFormatKey = "format";
inline constexpr const char* kContainerKindKey = "kind";
inline constexpr const char* kContainerTemplateKey = "template";

struct ContainerContent {
  std::string kind;          // "DWG", "SAT", "PTP" ...
  std::string source;        // the source document's full file name; empty when never saved
  std::string documentType;  // "part", "drawing" ...
  std::vector<std::pair<std::string, std::string>> options;  // in the order they took effect
  // DWG and DXF only: the drawing's sheets as written, and the AutoCAD
  // template the translator was pointed at.
  std::vector<StandinSheet> sheets{};
  std::optional<std::string> acadTemplate{};
};

// The container's lines, without line ends.
std::vector<std::string> ContainerLines(const ContainerContent& content);
// Writes the container (CR LF lines), replacing the file atomically.
Status WriteContainer(const std::string& path, const ContainerContent& content);

// A sheet as a container lists it: its name, size in centimetres, size code,
// border and title block.
std::string ContainerSheetLine(const StandinSheet& sheet);

// An option value as a container writes it: "True"/"False", numbers in the
// C locale, texts as they are.
std::string OptionText(const host::OptionValue& value);

}  // namespace korrin::standin
