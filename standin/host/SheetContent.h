#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <string>
#include <vector>

#include "DrawingPage.h"

namespace korrin::standin {

// What a drawing's sheet is made of, in millimetres of the sheet from its
// top-left corner with y down: the one layout that both the printed page
// and the DXF file draw, so the two never show different sheets.

// What a line belongs to; the DXF file puts each on a layer of its own.
enum class SheetPart { Edge, Border, TitleBlock, VisibleEdge, HiddenEdge };

struct SheetLine {
  SheetPart part = SheetPart::Edge;
  std::vector<QPointF> points;
  bool closed = false;  // the last point joins the first
};

// A line of the title block: its text inside the box, at the height in
// millimetres, placed in the box as the flags say (Qt::AlignmentFlag:
// left, and top, vertical centre or bottom).
struct SheetText {
  QRectF box;
  std::string text;
  double height = 0;
  int flags = 0;
};

struct SheetContent {
  QSizeF size;
  std::optional<QRectF> titleBand;  // the title block's tinted band
  std::vector<SheetLine> lines;     // in the order they are drawn
  std::vector<SheetText> texts;
};

// The sheet's edge; its border with centring marks and its title block
// (naming the drawing, the sheet, the views' scale, and which sheet of how
// many) when the sheet has them; the models' views, hidden edges before
// visible ones, so visible edges are drawn on top.
SheetContent LayOutSheet(const DrawingSheetPicture& picture);

}  // namespace korrin::standin
