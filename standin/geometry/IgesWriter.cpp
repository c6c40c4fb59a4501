#include "geometry/IgesWriter.h"

#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Builder.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <IGESData_GlobalSection.hxx>
#include <Interface_Static.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Compound.hxx>
#include <cerrno>

#include "geometry/GeometryFailure.h"
#include "geometry/IgesBoundedSurfaces.h"
#include "geometry/OcctGuard.h"
#include "geometry/SiblingFile.h"

namespace korrin::standin {
namespace {

constexpr const char* kMillimetres = "MM";
// IGESControl_Writer's modes: faces as trimmed surfaces, or a B-rep solid.
constexpr int kFacesMode = 0;
constexpr int kBrepMode = 1;
// Off keeps planes, cylinders and the other elementary surfaces analytic in
// B-rep mode (190, 192, ...); Open CASCADE's documentation reads the other
// way round, its writer does this.
constexpr const char* kConvertSurfaceSetting = "write.convertsurface.mode";
constexpr int kKeepAnalyticSurfaces = 0;

TopoDS_Shape EdgesOf(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(shape, TopAbs_EDGE, edges);
  TopoDS_Compound wireframe;
  BRep_Builder builder;
  builder.MakeCompound(wireframe);
  for (int index = 1; index <= edges.Extent(); ++index) builder.Add(wireframe, edges(index));
  return wireframe;
}

TopoDS_Shape NurbsOf(const TopoDS_Shape& shape) {
  BRepBuilderAPI_NurbsConvert conversion(shape, /*theCopy=*/true);
  return conversion.Shape();
}

Status AddShape(IGESControl_Writer& writer, const TopoDS_Shape& shape) {
  if (!writer.AddShape(shape)) return Failure{kGeometryFailed, "Open CASCADE cannot translate the shape to IGES"};
  return {};
}

Status AddBoundedSurfaces(IGESControl_Writer& writer, const TopoDS_Shape& shape) {
  IGESControl_Writer trimmed(kMillimetres, kFacesMode);
  if (Status added = AddShape(trimmed, shape); !added) return added;
  const Result<std::vector<Handle(IGESData_IGESEntity)>> bounded = BoundedSurfacesOf(trimmed.Model());
  if (!bounded) return bounded.failure();
  for (const Handle(IGESData_IGESEntity) & surface : bounded.value()) writer.AddEntity(surface);
  return {};
}

Status AddGeometry(IGESControl_Writer& writer, const TopoDS_Shape& shape, const IgesOptions& options) {
  switch (options.geometry) {
    case IgesGeometry::Surfaces:
      if (options.surfaceType == IgesSurfaceType::Bounded) return AddBoundedSurfaces(writer, shape);
      return AddShape(writer, shape);
    case IgesGeometry::Solids:
      return AddShape(writer, options.solidFaces == IgesSolidFaces::Nurbs ? NurbsOf(shape) : shape);
    case IgesGeometry::Wireframe:
      return AddShape(writer, EdgesOf(shape));
  }
  return Failure{kInvalidModel, "unknown IGES geometry"};
}

Handle(TCollection_HAsciiString) Text(const std::string& text) { return new TCollection_HAsciiString(text.c_str()); }

void FillGlobalSection(IGESControl_Writer& writer, const std::string& fileName, const IgesOptions& options) {
  IGESData_GlobalSection& section = writer.Model()->ChangeGlobalSection();
  section.SetFileName(Text(fileName));
  section.SetAuthorName(Text(options.author));
  section.SetCompanyName(Text(options.organization));
}

Status WriteFile(const TopoDS_Shape& shape, const std::filesystem::path& temporary, const std::string& fileName,
                 const IgesOptions& options) {
  IGESControl_Controller::Init();
  Interface_Static::SetIVal(kConvertSurfaceSetting, kKeepAnalyticSurfaces);
  IGESControl_Writer writer(kMillimetres, options.geometry == IgesGeometry::Solids ? kBrepMode : kFacesMode);
  if (Status added = AddGeometry(writer, shape, options); !added) return added;
  FillGlobalSection(writer, fileName, options);
  if (!writer.Write(temporary.c_str())) return Failure{EIO, "the IGES writer failed"};
  return {};
}

}  // namespace

Status WriteIges(const TopoDS_Shape& shape, const std::filesystem::path& path, const IgesOptions& options) {
  if (shape.IsNull()) return Failure{kInvalidModel, "an empty shape cannot be written to " + path.string()};
  return WriteThroughSibling(path, [&](const std::filesystem::path& temporary) {
    return Guarded("writing IGES", [&] { return WriteFile(shape, temporary, path.filename().string(), options); });
  });
}

}  // namespace korrin::standin
