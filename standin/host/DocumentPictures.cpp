#include "DocumentPictures.h"

#include <utility>

#include "ModelPage.h"
#include "StandinFailures.h"
#include "host/HostCodes.h"

namespace korrin::standin {
namespace {

ModelViewStyle StyleOf(std::int32_t displayMode) {
  if (displayMode == host::kWireframeDisplay) return ModelViewStyle::Wireframe;
  if (displayMode == host::kHiddenEdgesDisplay) return ModelViewStyle::HiddenEdges;
  return ModelViewStyle::Shaded;
}

}  // namespace

Result<PagePainter> ModelViewPainter(GeometryExchange* geometry, const ModelNode& model, std::int32_t displayMode,
                                     std::int32_t cameraOrientation, const Ink& ink) {
  const ModelViewStyle style = StyleOf(displayMode);
  const ViewDirection direction =
      cameraOrientation == host::kIsometricViewOrientation ? ViewDirection::Isometric : ViewDirection::Front;
  auto view = ProjectedModel(geometry, model, direction, style == ModelViewStyle::Shaded);
  if (!view) return view.failure();
  return PagePainter([view = std::move(view).value(), style, ink](QPainter& painter, const QSizeF& page) {
    PaintModelView(painter, page, view, style, ink);
  });
}

Result<PagePainter> SheetPainter(GeometryExchange* geometry, DrawingSheetPicture picture,
                                 const std::vector<ModelNode>& models, const SheetOnPaper& placement, const Ink& ink) {
  auto views = ProjectedModels(geometry, models);
  if (!views) return views.failure();
  picture.models = std::move(views).value();
  return PagePainter([picture = std::move(picture), placement, ink](QPainter& painter, const QSizeF& page) {
    PaintDrawingSheet(painter, page, picture, placement, ink);
  });
}

}  // namespace korrin::standin
