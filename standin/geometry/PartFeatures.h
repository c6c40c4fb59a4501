#pragma once

#include <TopoDS_Edge.hxx>
#include <TopoDS_Shape.hxx>
#include <functional>
#include <gp_Ax2.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ports/Result.h"

namespace korrin::standin {

// Building blocks of the sample parts. The shape builders throw
// Standard_Failure when Open CASCADE cannot build a shape; BuildPart runs them
// and turns that into a failure.

// A box from its lowest corner.
TopoDS_Shape Block(const gp_Pnt& corner, double lengthX, double widthY, double heightZ);

// A cylinder standing on the axis' origin, along its direction.
TopoDS_Shape Cylinder(const gp_Ax2& axis, double radius, double height);

// A cylinder standing on (x, y, z) along +Z.
TopoDS_Shape UprightCylinder(double x, double y, double z, double radius, double height);

// Cutting tools stick out of the stock by this much, so no cut leaves a
// sliver face where tool and stock would end flush.
inline constexpr double kToolOverrun = 1;

// The tool of a hole at (x, y) through stock from z = 0 to the depth.
TopoDS_Shape HoleAlongZ(double x, double y, double diameter, double depth);

// A prism of the closed polygon (points in order, in the XY plane) from z = 0.
TopoDS_Shape ExtrudedPolygon(const std::vector<gp_Pnt2d>& outline, double height);

// The solid swept by turning the closed polygon, given in the XZ plane as
// (radius, z) points, once around the Z axis.
TopoDS_Shape Revolved(const std::vector<gp_Pnt2d>& radiusAndHeight);

TopoDS_Shape Fused(const TopoDS_Shape& base, const std::vector<TopoDS_Shape>& added);
TopoDS_Shape CutAway(const TopoDS_Shape& base, const std::vector<TopoDS_Shape>& removed);
TopoDS_Shape Common(const TopoDS_Shape& first, const TopoDS_Shape& second);

using EdgeTest = std::function<bool(const TopoDS_Edge&)>;

// Rounds, or bevels at 45 degrees, every edge of the shape that passes the test.
TopoDS_Shape FilletEdges(const TopoDS_Shape& shape, const EdgeTest& test, double radius);
TopoDS_Shape ChamferEdges(const TopoDS_Shape& shape, const EdgeTest& test, double distance);

// Edge tests.
gp_Pnt EdgeMidpoint(const TopoDS_Edge& edge);
bool IsStraightAlongZ(const TopoDS_Edge& edge);
bool IsCircle(const TopoDS_Edge& edge);

// The box with its top face removed and the rest thickened inward to the
// thickness.
TopoDS_Shape OpenTopShell(const TopoDS_Shape& box, double thickness);

// The named sizes of a part that must be above zero.
using NamedSizes = std::initializer_list<std::pair<std::string_view, double>>;

// A failure naming the part when a size is not above zero.
Status RequirePositive(std::string_view part, NamedSizes sizes);

// A failure naming the part and the reason its sizes do not fit together.
Failure SizeFailure(std::string_view part, std::string_view reason);

// Runs the builder of the part and checks that it made one valid solid.
Result<TopoDS_Shape> BuildPart(std::string_view part, const std::function<TopoDS_Shape()>& build);

}  // namespace korrin::standin
