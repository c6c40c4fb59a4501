#pragma once

#include <QRect>
#include <QSize>

namespace korrin {

// Where a window that serves another one opens: beside its owner, wholly
// inside the owner's screen (its available area), and never over the area
// the owner must keep clear (the main window's Export/Abort panel).
// Tried in turn: right of the owner, left of it; when neither side has room,
// the largest of the strips of the screen above, right of, left of or below
// the area kept clear. The wanted size shrinks to what the place holds.
QRect PlaceBeside(const QRect& screen, const QRect& owner, const QRect& keepClear, QSize wanted);

}  // namespace korrin
