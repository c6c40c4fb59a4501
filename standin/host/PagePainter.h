#pragma once

#include <functional>

class QPainter;
class QSizeF;

namespace korrin::standin {

class Ink;
struct SheetOnPaper;

// Paints a page with the painter in millimetres from the page's top-left
// corner; the size is the page's, as it lies. Apart from the painting
// helpers, so the host's own header names it without Qt's headers.
using PagePainter = std::function<void(QPainter& painter, const QSizeF& pageMillimetres)>;

}  // namespace korrin::standin
