#pragma once

#include <cstdint>
#include <vector>

#include "DrawingPage.h"
#include "GeometryExchange.h"
#include "PagePainting.h"
#include "ports/Result.h"

namespace korrin::standin {

// What a document's view shows, as one painter for a printed page and for a
// bitmap alike, so both show the same picture.

// A model seen in the display mode (wireframe and hidden edges by their
// codes, anything else shaded) from the camera (the isometric orientation
// from (1, 1, 1), anything else from the front), fitted to the page. Fails
// without geometry, and when the model cannot be projected.
Result<PagePainter> ModelViewPainter(GeometryExchange* geometry, const ModelNode& model, std::int32_t displayMode,
                                     std::int32_t cameraOrientation, const Ink& ink);

// A drawing's sheet with front, top and right views of each model, placed
// on the page as the placement says.
Result<PagePainter> SheetPainter(GeometryExchange* geometry, DrawingSheetPicture picture,
                                 const std::vector<ModelNode>& models, const SheetOnPaper& placement, const Ink& ink);

}  // namespace korrin::standin
