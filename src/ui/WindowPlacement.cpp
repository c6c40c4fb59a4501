#include "ui/WindowPlacement.h"

#include <algorithm>

namespace korrin {
namespace {

// The window placed in a free strip: as large as wanted, or as the strip,
// at the strip's corner nearest the owner's top.
QRect InStrip(const QRect& strip, const QRect& owner, QSize wanted, bool alignRight) {
  const int width = std::min(wanted.width(), strip.width());
  const int height = std::min(wanted.height(), strip.height());
  const int left = alignRight ? strip.right() - width + 1 : strip.left();
  const int top = std::clamp(owner.top(), strip.top(), strip.bottom() - height + 1);
  return {left, top, width, height};
}

long long Area(const QRect& rect) { return rect.isValid() ? 1LL * rect.width() * rect.height() : 0; }

}  // namespace

QRect PlaceBeside(const QRect& screen, const QRect& owner, const QRect& keepClear, QSize wanted) {
  wanted = wanted.boundedTo(screen.size());
  const QRect right(owner.right() + 1, screen.top(), screen.right() - owner.right(), screen.height());
  if (right.width() >= wanted.width()) return InStrip(right, owner, wanted, false);
  const QRect left(screen.left(), screen.top(), owner.left() - screen.left(), screen.height());
  if (left.width() >= wanted.width()) return InStrip(left, owner, wanted, true);

  const QRect clear = keepClear.intersected(screen);
  if (clear.isEmpty()) return InStrip(screen, owner, wanted, true);
  const QRect strips[] = {
      {screen.left(), screen.top(), screen.width(), clear.top() - screen.top()},
      {clear.right() + 1, screen.top(), screen.right() - clear.right(), screen.height()},
      {screen.left(), screen.top(), clear.left() - screen.left(), screen.height()},
      {screen.left(), clear.bottom() + 1, screen.width(), screen.bottom() - clear.bottom()},
  };
  QRect best;
  for (const QRect& strip : strips) {
    if (strip.width() <= 0 || strip.height() <= 0) continue;
    const QRect placed = InStrip(strip, owner, wanted, true);
    if (Area(placed) > Area(best)) best = placed;
  }
  return best;
}

}  // namespace korrin
