#include "SheetViewLayout.h"

#include <array>

namespace korrin::standin {
namespace {

constexpr double kGapBetweenViews = 15;  // millimetres on the sheet
constexpr double kColumnPadding = 5;
// The usual drawing scales, largest first.
constexpr std::array<double, 14> kDrawingScales{5,        2,         1,         1.0 / 2,   1.0 / 5,
                                                1.0 / 10, 1.0 / 20,  1.0 / 25,  1.0 / 50,  1.0 / 100,
                                                1.0 / 200, 1.0 / 250, 1.0 / 500, 1.0 / 1000};

struct ViewGroup {
  ViewBounds front;
  ViewBounds top;
  ViewBounds right;

  double Width(double scale) const { return (front.width() + right.width()) * scale + kGapBetweenViews; }
  double Height(double scale) const { return (front.height() + top.height()) * scale + kGapBetweenViews; }
};

bool FitsAt(const std::vector<ViewGroup>& groups, double scale, double columnWidth, double height) {
  for (const ViewGroup& group : groups) {
    if (group.Width(scale) > columnWidth - 2 * kColumnPadding || group.Height(scale) > height - 2 * kColumnPadding) {
      return false;
    }
  }
  return true;
}

double ScaleFor(const std::vector<ViewGroup>& groups, double columnWidth, double height) {
  for (const double scale : kDrawingScales) {
    if (FitsAt(groups, scale, columnWidth, height)) return scale;
  }
  return kDrawingScales.back();
}

// Front and top share the model's x, front and right its y: each pair is
// placed with the same mapping of that coordinate, so the views line up.
void PlaceGroup(const ModelViews& model, const ViewGroup& group, const QRectF& column, double scale,
                std::vector<PlacedView>& into) {
  const double left = column.left() + (column.width() - group.Width(scale)) / 2;
  const double bottom = column.center().y() + group.Height(scale) / 2;
  const double frontTop = bottom - group.front.height() * scale;
  into.push_back({&model.front, {group.front, scale, {left, frontTop}}});
  const double topViewBottom = frontTop - kGapBetweenViews;
  into.push_back({&model.top,
                  {group.top, scale,
                   {left + (group.top.left - group.front.left) * scale, topViewBottom - group.top.height() * scale}}});
  into.push_back({&model.right,
                  {group.right, scale,
                   {left + group.front.width() * scale + kGapBetweenViews,
                    frontTop + (group.front.top - group.right.top) * scale}}});
}

}  // namespace

SheetViewLayout LayOutViews(const std::vector<ModelViews>& models, const QRectF& area) {
  SheetViewLayout layout;
  std::vector<ViewGroup> groups;
  for (const ModelViews& model : models) {
    if (model.front.empty()) continue;
    groups.push_back({BoundsOf(model.front), BoundsOf(model.top), BoundsOf(model.right)});
  }
  if (models.empty() || !(area.width() > 0) || !(area.height() > 0)) return layout;
  const double columnWidth = area.width() / static_cast<double>(models.size());
  layout.scale = ScaleFor(groups, columnWidth, area.height());
  std::size_t group = 0;
  for (std::size_t column = 0; column < models.size(); ++column) {
    if (models[column].front.empty()) continue;
    const QRectF columnArea(area.left() + columnWidth * static_cast<double>(column), area.top(), columnWidth,
                            area.height());
    PlaceGroup(models[column], groups[group++], columnArea, layout.scale, layout.views);
  }
  return layout;
}

}  // namespace korrin::standin
