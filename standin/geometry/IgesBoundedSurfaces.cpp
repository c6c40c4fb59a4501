#include "geometry/IgesBoundedSurfaces.h"

#include <IGESBasic_HArray1OfHArray1OfIGESEntity.hxx>
#include <IGESData_HArray1OfIGESEntity.hxx>
#include <IGESGeom_Boundary.hxx>
#include <IGESGeom_BoundedSurface.hxx>
#include <IGESGeom_CurveOnSurface.hxx>
#include <IGESGeom_HArray1OfBoundary.hxx>
#include <IGESGeom_TrimmedSurface.hxx>
#include <TColStd_HArray1OfInteger.hxx>

#include "geometry/GeometryFailure.h"

namespace korrin::standin {
namespace {

// Boundary types of 141 and 143.
constexpr int kModelSpaceCurvesOnly = 0;
constexpr int kModelAndParameterCurves = 1;
// Preferred representations of 142 and of 141, which number them apart.
constexpr int kCurveOnSurfacePrefersParameterCurve = 1;
constexpr int kCurveOnSurfacePrefersModelCurve = 2;
constexpr int kBoundaryPrefersModelCurve = 1;
constexpr int kBoundaryPrefersParameterCurve = 2;
// A contour's curve runs the way the boundary goes.
constexpr int kSameSense = 1;

int BoundaryPreference(int curveOnSurfacePreference) {
  switch (curveOnSurfacePreference) {
    case kCurveOnSurfacePrefersParameterCurve:
      return kBoundaryPrefersParameterCurve;
    case kCurveOnSurfacePrefersModelCurve:
      return kBoundaryPrefersModelCurve;
    default:
      return curveOnSurfacePreference;  // 0 unspecified and 3 equal read alike
  }
}

Handle(IGESGeom_Boundary) BoundaryOf(const Handle(IGESGeom_CurveOnSurface) & contour) {
  Handle(IGESData_HArray1OfIGESEntity) modelCurves = new IGESData_HArray1OfIGESEntity(1, 1);
  modelCurves->SetValue(1, contour->Curve3D());
  Handle(TColStd_HArray1OfInteger) senses = new TColStd_HArray1OfInteger(1, 1, kSameSense);
  // One list of parameter curves per model curve, empty (null) when the
  // contour has none.
  Handle(IGESBasic_HArray1OfHArray1OfIGESEntity) parameterCurves = new IGESBasic_HArray1OfHArray1OfIGESEntity(1, 1);
  int type = kModelSpaceCurvesOnly;
  if (!contour->CurveUV().IsNull()) {
    Handle(IGESData_HArray1OfIGESEntity) curves = new IGESData_HArray1OfIGESEntity(1, 1);
    curves->SetValue(1, contour->CurveUV());
    parameterCurves->SetValue(1, curves);
    type = kModelAndParameterCurves;
  }
  Handle(IGESGeom_Boundary) boundary = new IGESGeom_Boundary;
  boundary->Init(type, BoundaryPreference(contour->PreferenceMode()), contour->Surface(), modelCurves, senses,
                 parameterCurves);
  return boundary;
}

std::vector<Handle(IGESGeom_CurveOnSurface)> ContoursOf(const Handle(IGESGeom_TrimmedSurface) & trimmed) {
  std::vector<Handle(IGESGeom_CurveOnSurface)> contours;
  if (trimmed->HasOuterContour()) contours.push_back(trimmed->OuterContour());
  for (int inner = 1; inner <= trimmed->NbInnerContours(); ++inner) contours.push_back(trimmed->InnerContour(inner));
  return contours;
}

Handle(IGESGeom_BoundedSurface) BoundedFrom(const Handle(IGESGeom_TrimmedSurface) & trimmed) {
  const std::vector<Handle(IGESGeom_CurveOnSurface)> contours = ContoursOf(trimmed);
  Handle(IGESGeom_HArray1OfBoundary) boundaries = new IGESGeom_HArray1OfBoundary(1, static_cast<int>(contours.size()));
  int type = kModelAndParameterCurves;
  for (std::size_t index = 0; index < contours.size(); ++index) {
    const Handle(IGESGeom_Boundary) boundary = BoundaryOf(contours[index]);
    if (boundary->BoundaryType() == kModelSpaceCurvesOnly) type = kModelSpaceCurvesOnly;
    boundaries->SetValue(static_cast<int>(index) + 1, boundary);
  }
  Handle(IGESGeom_BoundedSurface) bounded = new IGESGeom_BoundedSurface;
  bounded->Init(type, trimmed->Surface(), boundaries);
  return bounded;
}

}  // namespace

Result<std::vector<Handle(IGESData_IGESEntity)>> BoundedSurfacesOf(const Handle(IGESData_IGESModel) & trimmedModel) {
  std::vector<Handle(IGESData_IGESEntity)> surfaces;
  for (int number = 1; number <= trimmedModel->NbEntities(); ++number) {
    const Handle(IGESGeom_TrimmedSurface) trimmed =
        Handle(IGESGeom_TrimmedSurface)::DownCast(trimmedModel->Entity(number));
    if (trimmed.IsNull()) continue;
    // A 143 needs a boundary: a face bounded by its surface's own edges has none.
    if (!trimmed->HasOuterContour()) {
      return Failure{kGeometryFailed, "a face without an outer contour cannot be written as a bounded surface"};
    }
    surfaces.push_back(BoundedFrom(trimmed));
  }
  return surfaces;
}

}  // namespace korrin::standin
