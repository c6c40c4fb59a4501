#pragma once

#include <string>

namespace korrin {

// What a run would do with its list, as --dry-run shows it.
struct DryRunPlan {
  std::string importPattern;  // "*.IPT"
  std::string exportPattern;  // "*.STP", "PRINTE"
  bool useExportFolder = false;
  std::string exportFolder;
  bool skipExisting = false;
};

// One entry's line: the document, then the file its export writes ("SOURCE
// -> OUTPUT"), or what decides the name where the host does, and
// "(up to date)" when the run would skip it for that.
std::string DryRunLine(const std::string& entry, const DryRunPlan& plan, bool& upToDate);

}  // namespace korrin
