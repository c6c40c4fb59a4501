#pragma once

#include <QPainter>
#include <QSizeF>
#include <cstddef>
#include <string>
#include <vector>

#include "GeometryExchange.h"
#include "PagePainting.h"
#include "SheetViewLayout.h"
#include "documents/StandinDocument.h"

namespace korrin::standin {

// What a drawing's sheet shows on paper.
struct DrawingSheetPicture {
  std::string drawingName;
  StandinSheet sheet;
  std::size_t sheetNumber = 1;
  std::size_t sheetCount = 1;
  std::vector<ModelViews> models;  // one per model the drawing refers to
};

// How the sheet goes onto the paper: its size times the scale (1: the
// sheet's own size), turned a quarter turn counter-clockwise when asked,
// centred on the page. What does not fit is cut off at the paper's edge.
struct SheetOnPaper {
  double scale = 1;
  bool rotate90Degrees = false;
};

// The sheet's size on paper, in millimetres.
QSizeF SheetMillimetres(const StandinSheet& sheet);

// Paints the sheet: its edge, its border and title block when it has them
// (the title block naming the drawing, the sheet and the views' scale), and
// the models' views. The painter is in millimetres from the page's top-left
// corner; the page is pageSize millimetres.
void PaintDrawingSheet(QPainter& painter, const QSizeF& pageSize, const DrawingSheetPicture& picture,
                       const SheetOnPaper& placement, const Ink& ink);

// The model seen from the direction, as GeometryExchange::Project gives it;
// a failure names the model.
Result<ProjectedView> ProjectedModel(GeometryExchange* geometry, const ModelNode& model, ViewDirection direction,
                                     bool withFacets);

// The front, top and right views of each model, for a drawing's sheets.
Result<std::vector<ModelViews>> ProjectedModels(GeometryExchange* geometry, const std::vector<ModelNode>& models);

}  // namespace korrin::standin
