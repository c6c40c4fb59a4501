#pragma once

#include <QColor>
#include <QSizeF>
#include <cstdint>
#include <string>

#include "PagePainting.h"
#include "ports/Result.h"

namespace korrin::standin {

// What a bitmap shows: a page of this size, painted as large as it fits
// into the picture and centred, on paper of its colour; the picture around
// it (where the proportions differ) takes the surround's colour.
struct BitmapPage {
  QSizeF millimetres;
  QColor paper;
  QColor surround;
};

// The page of a model's view for a picture of width by height pixels: the
// picture at the screen's 96 pixels to the inch, so lines are as wide as on
// a screen; in a picture under 480 pixels high or wide, the page's shorter
// side stays 127 mm long, so its 10 mm margins keep to a twelfth of it.
QSizeF ViewPageOf(std::int32_t width, std::int32_t height);

// Writes a 24-bit bitmap of the page, width by height pixels, replacing the
// file atomically; a failed write leaves the old file. The same page and
// size give the same bytes.
Status WriteViewBitmap(const std::string& fileName, std::int32_t width, std::int32_t height, const BitmapPage& page,
                       const PagePainter& paint);

}  // namespace korrin::standin
