#include "app/DryRunLines.h"

#include "engine/EntryOutputs.h"
#include "engine/EntrySteps.h"
#include "formats/FormatCatalogue.h"

namespace korrin {

std::string DryRunLine(const std::string& entry, const DryRunPlan& plan, bool& upToDate) {
  const std::string base = OutputBasePath(entry, plan.useExportFolder, plan.exportFolder, "").path;
  const std::string& exported = plan.exportPattern;
  std::string line;
  line.reserve(entry.size() + base.size() + 24);
  line.append(entry).append(" -> ");
  if (exported == kPrinterPattern) {
    line += "the printer";
  } else if (exported == "*.IAM") {
    line += base + ".ipt, .iam or .idw, as the host reports the document's type";
  } else if (exported == "*.DWG" && plan.importPattern == "*.IDW") {
    line += base + ".dwg, or " + base + "_1.dwg and on, one per sheet, for a drawing of several sheets";
  } else {
    line.append(base).append(".").append(OutputExtension(exported));
  }
  upToDate = plan.skipExisting && !UpToDateOutputs(entry, base, exported).empty();
  if (upToDate) line += " (up to date)";
  return line;
}

}  // namespace korrin
