// The stand-in host's print managers: the settings of each open document's
// print manager, and the one page each submission prints.
#include <cmath>

#include "DrawingPage.h"
#include "ModelPage.h"
#include "PaperSizes.h"
#include "PrintOutput.h"
#include "StandinApplication.h"
#include "StandinFailures.h"

namespace korrin::standin {
namespace {

Status OneOf(std::int32_t value, std::int32_t first, std::int32_t second, const std::string& what) {
  if (value == first || value == second) return {};
  return InvalidArgument("Unknown " + what + " " + std::to_string(value) + ": it is " + std::to_string(first) +
                         " or " + std::to_string(second) + ".");
}

Status AboveZero(double value, const std::string& what) {
  if (value > 0 && std::isfinite(value)) return {};
  return InvalidArgument("The " + what + " must be above zero.");
}

Result<PrintTarget> TargetOf(const PrintManagerState& state) {
  if (!state.printToFile.empty()) return PrintTarget{true, state.printToFile};
  auto queue = QueueNamed(state.printer);
  if (!queue) return queue.failure();
  return PrintTarget{false, queue.value()};
}

// A file takes the default paper of the printer the manager names, when
// the system has it.
Result<QPageLayout> LayoutOf(const PrintManagerState& state, const PrintTarget& target) {
  QPageSize printerDefault(QPageSize::A4);
  if (state.paper == kPrinterDefaultPaper) {
    const auto queue = target.toFile ? QueueNamed(state.printer) : Result<std::string>(target.name);
    if (queue) printerDefault = DefaultPaperOf(queue.value());
  }
  auto paper = PaperOf(state.paper, state.customWidthCentimetres, state.customHeightCentimetres, printerDefault);
  if (!paper) return paper.failure();
  const auto orientation =
      state.orientation == host::kLandscapeOrientation ? QPageLayout::Landscape : QPageLayout::Portrait;
  return QPageLayout(paper.value(), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

Result<PagePainter> SheetPainter(GeometryExchange* geometry, DrawingSheetPicture picture,
                                 const std::vector<ModelNode>& models, const PrintManagerState& state) {
  auto views = ProjectedModels(geometry, models);
  if (!views) return views.failure();
  picture.models = std::move(views).value();
  const SheetOnPaper placement{state.drawingScale, state.rotate90Degrees};
  const Ink ink(state.colorMode == host::kGrayScalePrint);
  return PagePainter([picture = std::move(picture), placement, ink](QPainter& painter, const QSizeF& page) {
    PaintDrawingSheet(painter, page, picture, placement, ink);
  });
}

ModelViewStyle StyleOf(std::int32_t displayMode) {
  if (displayMode == host::kWireframeDisplay) return ModelViewStyle::Wireframe;
  if (displayMode == host::kHiddenEdgesDisplay) return ModelViewStyle::HiddenEdges;
  return ModelViewStyle::Shaded;
}

Result<PagePainter> ViewPainter(GeometryExchange* geometry, const ModelNode& model, std::int32_t displayMode,
                                std::int32_t cameraOrientation, const PrintManagerState& state) {
  const ModelViewStyle style = StyleOf(displayMode);
  const ViewDirection direction =
      cameraOrientation == host::kIsometricViewOrientation ? ViewDirection::Isometric : ViewDirection::Front;
  auto view = ProjectedModel(geometry, model, direction, style == ModelViewStyle::Shaded);
  if (!view) return view.failure();
  const Ink ink(state.colorMode == host::kGrayScalePrint);
  return PagePainter([view = std::move(view).value(), style, ink](QPainter& painter, const QSizeF& page) {
    PaintModelView(painter, page, view, style, ink);
  });
}

}  // namespace

Result<PrintManagerState*> StandinApplication::FindPrintManager(host::PrintManagerHandle manager) {
  if (Status running = Running(); !running) return running.failure();
  return printManagers_.Find(manager);
}

Result<PrintManagerState*> StandinApplication::FindDrawingPrintManager(host::PrintManagerHandle manager,
                                                                       const std::string& setting) {
  auto found = FindPrintManager(manager);
  if (!found) return found;
  if (!found.value()->ofDrawing) {
    return Unspecified("Only a drawing's print manager has " + setting + "; this one prints a document that is no "
                       "drawing.");
  }
  return found;
}

Result<host::PrintManagerHandle> StandinApplication::PrintManager(host::DocumentHandle document) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  LoadedDocument& open = *found.value();
  if (!open.printManager) {
    PrintManagerState state;
    state.document = document;
    state.ofDrawing = open.model.type == standin::DocumentType::Drawing;
    open.printManager = printManagers_.Add(std::move(state));
  }
  return open.printManager;
}

Status StandinApplication::SetPrinter(host::PrintManagerHandle manager, const std::string& printer) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  found.value()->printer = printer;
  return {};
}

Result<std::int32_t> StandinApplication::Orientation(host::PrintManagerHandle manager) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  return found.value()->orientation;
}

Status StandinApplication::SetOrientation(host::PrintManagerHandle manager, std::int32_t orientation) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  if (Status known = OneOf(orientation, host::kLandscapeOrientation, host::kPortraitOrientation, "orientation");
      !known) {
    return known;
  }
  found.value()->orientation = orientation;
  return {};
}

Result<std::int32_t> StandinApplication::PaperSize(host::PrintManagerHandle manager) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  return found.value()->paper;
}

Status StandinApplication::SetPaperSize(host::PrintManagerHandle manager, std::int32_t paper) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  found.value()->paper = paper;
  return {};
}

Status StandinApplication::SetCustomPaperWidth(host::PrintManagerHandle manager, double width) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  if (Status valid = AboveZero(width, "custom paper width"); !valid) return valid;
  found.value()->customWidthCentimetres = width;
  return {};
}

Status StandinApplication::SetCustomPaperHeight(host::PrintManagerHandle manager, double height) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  if (Status valid = AboveZero(height, "custom paper height"); !valid) return valid;
  found.value()->customHeightCentimetres = height;
  return {};
}

Status StandinApplication::SetColorMode(host::PrintManagerHandle manager, std::int32_t colorMode) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  if (Status known = OneOf(colorMode, host::kColorPrint, host::kGrayScalePrint, "colour mode"); !known) return known;
  found.value()->colorMode = colorMode;
  return {};
}

Status StandinApplication::PrintToFile(host::PrintManagerHandle manager, const std::string& fileName) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  found.value()->printToFile = fileName;
  return {};
}

Status StandinApplication::SetPrintMode(host::PrintManagerHandle manager, std::int32_t mode) {
  auto found = FindDrawingPrintManager(manager, "a print mode");
  if (!found) return found.failure();
  found.value()->drawingPrintMode = mode;
  return {};
}

Status StandinApplication::SetPrintRange(host::PrintManagerHandle manager, std::int32_t range) {
  auto found = FindDrawingPrintManager(manager, "a print range");
  if (!found) return found.failure();
  found.value()->drawingPrintRange = range;
  return {};
}

Result<double> StandinApplication::Scale(host::PrintManagerHandle manager) {
  auto found = FindDrawingPrintManager(manager, "a print scale");
  if (!found) return found.failure();
  return found.value()->drawingScale;
}

Status StandinApplication::SetScale(host::PrintManagerHandle manager, double scale) {
  auto found = FindDrawingPrintManager(manager, "a print scale");
  if (!found) return found.failure();
  if (Status valid = AboveZero(scale, "print scale"); !valid) return valid;
  found.value()->drawingScale = scale;
  return {};
}

Result<bool> StandinApplication::Rotate90Degrees(host::PrintManagerHandle manager) {
  auto found = FindDrawingPrintManager(manager, "a turn by 90 degrees");
  if (!found) return found.failure();
  return found.value()->rotate90Degrees;
}

Status StandinApplication::SetRotate90Degrees(host::PrintManagerHandle manager, bool rotate) {
  auto found = FindDrawingPrintManager(manager, "a turn by 90 degrees");
  if (!found) return found.failure();
  found.value()->rotate90Degrees = rotate;
  return {};
}

Status StandinApplication::SubmitPrint(host::PrintManagerHandle manager) {
  auto found = FindPrintManager(manager);
  if (!found) return found.failure();
  if (Status available = PrintingAvailable(); !available) return available;
  const PrintManagerState state = *found.value();
  const LoadedDocument& document = *documents_.Find(state.document).value();
  auto target = TargetOf(state);
  if (!target) return target.failure();
  auto layout = LayoutOf(state, target.value());
  if (!layout) return layout.failure();

  Result<PagePainter> painter = Unspecified("Nothing to print.");
  if (state.ofDrawing) {
    const std::size_t sheet = document.activeSheet;
    DrawingSheetPicture picture{document.name, document.model.sheets[sheet], sheet + 1, document.model.sheets.size(),
                                {}};
    painter = SheetPainter(settings_.geometry, std::move(picture), ReferencedModels(document), state);
  } else {
    auto model = ModelOf(document);
    if (!model) return Unspecified("The stand-in host cannot print this document: " + model.failure().description);
    const ViewState& view = *views_.Find(document.view).value();
    painter = ViewPainter(settings_.geometry, model.value(), view.displayMode, view.cameraOrientation, state);
  }
  if (!painter) return painter.failure();
  if (Status printed = PrintPage(target.value(), layout.value(), document.name, painter.value()); !printed) {
    return printed;
  }
  const QSizeF paper = layout.value().fullRect(QPageLayout::Millimeter).size();
  printSubmissions_.push_back(
      SubmissionOf(document, state, target.value().toFile, target.value().name, paper.width(), paper.height()));
  return {};
}

PrintSubmission StandinApplication::SubmissionOf(const LoadedDocument& document, const PrintManagerState& state,
                                                 bool toFile, const std::string& destination, double paperWidth,
                                                 double paperHeight) const {
  PrintSubmission submission;
  submission.document = document.fullFileName.empty() ? document.name : document.fullFileName;
  if (state.ofDrawing) submission.sheet = document.model.sheets[document.activeSheet].name;
  submission.paper = state.paper;
  submission.paperWidthMillimetres = paperWidth;
  submission.paperHeightMillimetres = paperHeight;
  submission.orientation = state.orientation;
  submission.colorMode = state.colorMode;
  if (state.ofDrawing) {
    submission.scale = state.drawingScale;
    submission.rotated90Degrees = state.rotate90Degrees;
    submission.drawingPrintMode = state.drawingPrintMode;
    submission.drawingPrintRange = state.drawingPrintRange;
  }
  submission.toFile = toFile;
  submission.destination = destination;
  return submission;
}

}  // namespace korrin::standin
