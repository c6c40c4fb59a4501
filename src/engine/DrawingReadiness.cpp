#include "engine/DrawingReadiness.h"

#include "host/FileExists.h"
#include "host/HostCodes.h"
#include "host/HostInstallation.h"
#include "host/ProcessOperations.h"

namespace korrin {
namespace {

constexpr const char* kUpdatingDrawing = "Updating drawing";
constexpr const char* kBackgroundProcess = "backahl.exe";
constexpr const char* kNormalPriority = "normal";
constexpr const char* kNotPrinted = "   Document NOT printet";
constexpr const char* kFirstVersionWithChecks = "5.3";

// The status word of the drawing's active sheet; 0 when it cannot be read,
// as a failed call is skipped.
std::int32_t ActiveSheetStatus(host::Application& host, host::DocumentHandle drawing) {
  auto sheet = host.documents().ActiveSheet(drawing);
  if (!sheet) return 0;
  auto status = host.sheets().StatusWord(sheet.value());
  return status ? status.value() : 0;
}

class ReadinessCheck {
 public:
  explicit ReadinessCheck(DrawingCheck& check) : check_(check) {}

  std::string Run() {
    auto drawing = check_.host.ActiveDocument();
    if (!drawing) return "";
    auto count = check_.host.documents().SheetCount(drawing.value());
    const std::int32_t sheets = count ? count.value() : 0;
    const auto deadline = check_.waitLimit.DeadlineFromNow();
    for (std::int32_t round = 0; round < sheets; ++round) {
      if (!WaitForViews(drawing.value(), deadline)) {
        return "Waited " + std::to_string(check_.waitLimit.limit.count()) +
               " s for the views of the drawing to be computed; giving up";
      }
    }
    if (CompareHostVersions(check_.hostVersionNumber, kFirstVersionWithChecks) <= 0) return "";
    std::string result;
    if (ActiveSheetStatus(check_.host, drawing.value()) != 0 && !waited_) {
      result = "Precise views could not be generated";
    }
    if (!check_.skipReferenceCheck) {
      if (std::string unresolved = FirstUnresolvedReference(drawing.value()); !unresolved.empty()) return unresolved;
    }
    return result;
  }

 private:
  // One round on the active sheet; false when the time limit passed.
  bool WaitForViews(host::DocumentHandle drawing, HostWaitLimit::Clock::time_point deadline) {
    waited_ = false;
    if (ActiveSheetStatus(check_.host, drawing) == 0) return true;
    waited_ = true;
    while ((ActiveSheetStatus(check_.host, drawing) & host::kViewsComputingBit) != 0) {
      if (check_.waitLimit.Passed(deadline)) return false;
      check_.log.events().Pause();
      if (!raised_) {
        check_.log.LogLine(kUpdatingDrawing);
        raised_ = SetProcessPriority(check_.processes, kBackgroundProcess, kNormalPriority);
      }
    }
    return true;
  }

  std::string FirstUnresolvedReference(host::DocumentHandle drawing) {
    auto files = check_.host.documents().ReferencedFiles(drawing);
    if (!files) return "";
    for (const host::ReferencedFile& file : files.value()) {
      if (file.referencedDocumentType != host::kUnknownDocument) continue;
      if (!FileExists(file.fullFileName)) return "Referenced file not found: " + file.fullFileName + kNotPrinted;
      auto name = check_.host.documents().FullFileName(drawing);
      return "Error in " + (name ? name.value() : std::string()) + kNotPrinted;
    }
    return "";
  }

  DrawingCheck& check_;
  bool waited_ = false;
  bool raised_ = false;
};

}  // namespace

std::string CheckDrawingReady(DrawingCheck& check) { return ReadinessCheck(check).Run(); }

}  // namespace korrin
