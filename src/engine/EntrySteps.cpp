#include "engine/EntrySteps.h"

#include "host/HostCodes.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

constexpr std::size_t kExtensionWithDot = 4;
constexpr const char* kNotebookEnvironment = "NOTEBOOK";

std::string WithoutExtension(const std::string& path) {
  return path.size() >= kExtensionWithDot ? path.substr(0, path.size() - kExtensionWithDot) : std::string();
}

std::int32_t OpenCount(host::Application& host) {
  auto count = host.DocumentCount();
  return count ? count.value() : 0;
}

// The notebook holds its document until its view window is restored.
void RestoreNotebookWindow(host::Application& host) {
  auto environment = host.ActiveEnvironmentName();
  if (!environment || ToUpperAscii(environment.value()) != kNotebookEnvironment) return;
  auto view = host.ActiveView();
  if (!view) return;
  auto window = host.ViewWindow(view.value());
  if (!window) return;
  auto placement = host.GetWindowPlacement(window.value());
  if (!placement) return;
  host::WindowPlacement restored = placement.value();
  restored.flags = host::kPlacementRestoreToMaximized;
  (void)host.SetWindowPlacement(window.value(), restored);
  (void)host.ShowWindow(window.value(), host::kShowWindow);
  (void)host.ShowWindow(window.value(), host::kRestoreWindow);
}

}  // namespace

OutputBase OutputBasePath(const std::string& entry, bool useExportFolder, const std::string& exportFolderField,
                          const std::string& documentFullFileName) {
  if (useExportFolder) {
    const std::string fileName = FileNameOfPath(entry);
    const std::string baseName = fileName.substr(0, fileName.find('.'));
    std::string field = exportFolderField;
    if (!field.empty() && field.back() == kNativeSeparator) field.pop_back();
    return {WithTrailingBackslash(field) + baseName, field};
  }
  return {WithoutExtension(documentFullFileName.empty() ? entry : documentFullFileName), std::nullopt};
}

std::string NameToOpen(const std::string& entry, FileNameCase names) {
  return names == FileNameCase::Distinct ? entry : ToLowerAscii(entry);
}

void CloseEntryDocuments(host::Application& host, std::optional<host::DocumentHandle> document,
                         const std::string& entry, RunLog& log) {
  log.LogLine("Closing document(s)");
  if (document) (void)host.documents().Close(*document, true);
  // Each count is asked once: nothing happens between one loop's last look
  // and the next loop's first.
  std::int32_t remembered = OpenCount(host);
  while (remembered > 0) {
    RestoreNotebookWindow(host);
    auto active = host.ActiveDocument();
    if (active) (void)host.documents().Close(active.value(), true);
    const std::int32_t now = OpenCount(host);
    if (now == remembered) {
      log.LogLine("Could not close notebook document: " + entry);
      return;
    }
    remembered = now;
  }
}

}  // namespace korrin
