#include "DocumentPictures.h"

#include <utility>

#include "ModelPage.h"
#include "StandinFailures.h"
#include "host/HostCodes.h"

namespace korrin::standin {
namespace {

Result<ProjectedView> Projected(GeometryExchange* geometry, const ModelNode& model, ViewDirection direction,
                                bool withFacets) {
  if (geometry == nullptr) return Unspecified("This stand-in host has no geometry: it cannot draw views.");
  auto view = geometry->Project(model, direction, withFacets);
  if (!view) return Failure{view.failure().number, "The view of \"" + model.name + "\": " + view.failure().description};
  return view;
}

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
  auto view = Projected(geometry, model, direction, style == ModelViewStyle::Shaded);
  if (!view) return view.failure();
  return PagePainter([view = std::move(view).value(), style, ink](QPainter& painter, const QSizeF& page) {
    PaintModelView(painter, page, view, style, ink);
  });
}

Result<PagePainter> SheetPainter(GeometryExchange* geometry, DrawingSheetPicture picture,
                                 const std::vector<ModelNode>& models, const SheetOnPaper& placement, const Ink& ink) {
  for (const ModelNode& model : models) {
    ModelViews views;
    for (const auto& [direction, view] : {std::pair{ViewDirection::Front, &views.front},
                                          std::pair{ViewDirection::Top, &views.top},
                                          std::pair{ViewDirection::Right, &views.right}}) {
      auto projected = Projected(geometry, model, direction, false);
      if (!projected) return projected.failure();
      *view = std::move(projected).value();
    }
    picture.models.push_back(std::move(views));
  }
  return PagePainter([picture = std::move(picture), placement, ink](QPainter& painter, const QSizeF& page) {
    PaintDrawingSheet(painter, page, picture, placement, ink);
  });
}

}  // namespace korrin::standin
