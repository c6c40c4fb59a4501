#include "engine/AcadPostProcessing.h"

#include <cmath>

#include "host/FileExists.h"
#include "settings/PathConversion.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

constexpr std::string_view kTemplateMarker = "AUTOCAD TEMPLATE";
// AutoCAD answers busy while it loads a drawing; a count bound, not a time,
// keeps a wedged AutoCAD from holding the run for ever.
constexpr int kMostIdleChecks = 100000;

std::int32_t ActiveSheetCount(ExportContext& context, host::DocumentHandle drawing) {
  auto count = context.host.documents().SheetCount(drawing);
  if (!count) {
    context.Keep(count.failure());
    return 0;
  }
  return count.value();
}

// Rewrites every marker line of the export settings file so it names the
// template; the other lines stay as they were, in their order.
void PointIniFileAt(ExportContext& context, const std::string& templateFile) {
  const TextFileRead read = ReadTextFile(PathFromText(context.exportIniFile));
  if (read.outcome == TextFileRead::Outcome::OpenFailed) {
    context.dialogs.ShowMessage("Couldn't open DWG inifile for modification\r" + read.failure.description);
    return;
  }
  if (read.outcome == TextFileRead::Outcome::ReadFailed) {
    // Writing back what was read would lose the rest of the file.
    context.dialogs.ShowMessage("Couldn't read line in DWG inifile for modification\r" + read.failure.description);
    return;
  }
  std::vector<std::string> lines = read.lines;
  for (std::string& line : lines) {
    if (ToUpperAscii(line).find(kTemplateMarker) != std::string::npos) line = "AUTOCAD TEMPLATE=" + templateFile;
  }
  if (Status written = WriteTextFile(PathFromText(context.exportIniFile), lines); !written) {
    context.dialogs.ShowMessage("Couldn't write DWG inifile for modification\r" + written.failure().description);
  }
}

}  // namespace

DrawingFinish DecideDrawingFinish(ExportContext& context, AcadTemplateSetup& setup) {
  DrawingFinish finish;
  if (setup.keepLineweight.enabled && !setup.keepLineweight.checked) {
    finish.stripLineweights = true;
    if (auto active = context.host.ActiveDocument()) {
      finish.sheetCount = ActiveSheetCount(context, active.value());
    } else {
      context.Keep(active.failure());
    }
    setup.replaceTitleBlock.enabled = true;
  } else {
    setup.replaceTitleBlock.enabled = false;
  }
  if (finish.stripLineweights && setup.replaceTitleBlock.checked) ReplaceTitleBlockTemplate(context, setup, finish);
  return finish;
}

void ReplaceTitleBlockTemplate(ExportContext& context, const AcadTemplateSetup& setup, DrawingFinish& finish) {
  auto active = context.host.ActiveDocument();
  if (!active) return context.Keep(active.failure());
  auto sheet = context.host.documents().ActiveSheet(active.value());
  if (!sheet) return context.Keep(sheet.failure());
  host::Sheets& sheets = context.host.sheets();
  auto width = sheets.Width(sheet.value());
  auto height = sheets.Height(sheet.value());
  finish.sheetCount = ActiveSheetCount(context, active.value());
  if (width && height) {
    // Sheets measure in centimetres, the table in millimetres.
    if (auto row = setup.RowForSheet(width.value() * 10, height.value() * 10)) {
      finish.templateName = row->sizeName;
      PointIniFileAt(context, row->templateFile);
    }
  } else {
    context.Keep(width ? height.failure() : width.failure());
  }
  if (auto border = sheets.HasBorder(sheet.value()); border && border.value()) {
    context.Keep(sheets.DeleteBorder(sheet.value()));
  }
  if (auto titleBlock = sheets.HasTitleBlock(sheet.value()); titleBlock && titleBlock.value()) {
    context.Keep(sheets.DeleteTitleBlock(sheet.value()));
  }
}

std::vector<std::string> DwgFiles(const std::string& outputBase, std::int32_t sheetCount) {
  if (sheetCount < 2) return {outputBase + ".dwg"};
  std::vector<std::string> files;
  for (std::int32_t sheet = 1; sheet <= sheetCount; ++sheet) {
    files.push_back(outputBase + "_" + std::to_string(sheet) + ".dwg");
  }
  return files;
}

std::string LastDwgFile(const std::string& outputBase, std::int32_t sheetCount) {
  return DwgFiles(outputBase, sheetCount).back();
}

bool WaitForDwgFile(ExportContext& context, const std::string& outputBase, std::int32_t sheetCount) {
  const std::string file = LastDwgFile(outputBase, sheetCount);
  const auto deadline = context.waitLimit.DeadlineFromNow();
  while (!FileExists(file)) {
    if (context.abort.IsRaised()) return false;
    if (context.waitLimit.Passed(deadline)) {
      context.log.LogLine("Waited " + std::to_string(context.waitLimit.limit.count()) + " s for " + file +
                          "; AutoCAD post-processing skipped");
      return false;
    }
    context.log.events().Pause();
  }
  return true;
}

std::string CleanAcadDrawing(host::HostConnector& connector, EventPump& events, AbortFlag& abort,
                             const std::string& outputBase, std::int32_t sheetCount) {
  std::vector<std::string> files = DwgFiles(outputBase, sheetCount);
  std::erase_if(files, [](const std::string& file) { return !FileExists(file); });
  if (files.empty()) return "";
  auto found = connector.GetRunningAcad();
  if (!found) found = connector.CreateAcad();
  if (!found) return "Could not start AutoCAD/MDT, lineweights kept: " + found.failure().description;
  std::shared_ptr<host::Acad> acad = std::move(found).value();
  (void)acad->SetVisible(true);
  const auto openDocuments = [&acad] {
    auto count = acad->DocumentCount();
    return count ? count.value() : 0;
  };
  // Every sheet's file had its lineweights on when the translator wrote it.
  for (const std::string& file : files) {
    for (int check = 0; check < kMostIdleChecks && openDocuments() > 0; ++check) {
      auto quiet = acad->IsQuiescent();
      if ((quiet && quiet.value()) || abort.IsRaised()) break;
      events.Pause();
    }
    if (openDocuments() == 0) (void)acad->OpenDocument(file);
    // Each pass closes one document, so a document that will not close ends
    // the work through its failed close instead of holding it; the later
    // files would only meet it again.
    while (openDocuments() > 0) {
      (void)acad->SetLineweightDisplay(false);
      (void)acad->Update();
      if (Status closed = acad->CloseActiveDocument(true); !closed) {
        return "Couldn't close AutoCAD/MDT document: " + closed.failure().description;
      }
    }
  }
  return "";
}

std::string CloseAcadDocuments(host::HostConnector& connector, AbortFlag& abort) {
  auto found = connector.GetRunningAcad();
  if (!found) return kAcadNotRunning;
  std::shared_ptr<host::Acad> acad = std::move(found).value();
  while (!abort.IsRaised()) {
    auto count = acad->DocumentCount();
    if (!count || count.value() == 0) break;
    if (Status closed = acad->CloseActiveDocument(false); !closed) {
      return "Couldn't close AutoCAD/MDT document: " + closed.failure().description;
    }
  }
  return "";
}

}  // namespace korrin
