#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Controller.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPConstruct_UnitContext.hxx>
#include <STEPControl_Reader.hxx>
#include <StepData_StepModel.hxx>
#include <StepGeom_GeomRepContextAndGlobUnitAssCtxAndGlobUncertaintyAssCtx.hxx>
#include <StepRepr_GlobalUncertaintyAssignedContext.hxx>
#include <StepRepr_GlobalUnitAssignedContext.hxx>
#include <TCollection_AsciiString.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDataStd_Name.hxx>
#include <TopoDS_Compound.hxx>
#include <algorithm>
#include <string_view>

#include "geometry/FilePrecisionReading.h"
#include "geometry/GeometryFailure.h"
#include "geometry/ImportRepairs.h"
#include "geometry/ModelFile.h"
#include "geometry/ModelReaders.h"
#include "geometry/OcctGuard.h"
#include "geometry/XdeDocument.h"

namespace korrin::standin {
namespace {

constexpr std::string_view kStepStart = "ISO-10303-21;";
constexpr std::string_view kStepEnd = "END-ISO-10303-21;";

Status CheckStepSample(const std::filesystem::path& path, const ModelFileSample& sample) {
  const std::size_t firstText = sample.head.find_first_not_of(" \t\r\n");
  if (firstText == std::string::npos || sample.head.compare(firstText, kStepStart.size(), kStepStart) != 0) {
    return ModelFileFailure(path, kModelFileWrongKind, "not a STEP file: it does not start with ISO-10303-21");
  }
  if (sample.tail.find(kStepEnd) == std::string::npos) {
    return ModelFileFailure(path, kModelFileBroken, "the STEP file is cut short: END-ISO-10303-21 is missing");
  }
  return {};
}

std::string NameOf(const TDF_Label& label) {
  Handle(TDataStd_Name) name;
  if (!label.FindAttribute(TDataStd_Name::GetID(), name)) return {};
  // Without a replacement character the text comes back as UTF-8.
  return TCollection_AsciiString(name->Get()).ToCString();
}

ProductNode ProductOf(const TDF_Label& label, const gp_Trsf& placement) {
  ProductNode product{NameOf(label), {}, {}, placement};
  if (!XCAFDoc_ShapeTool::IsAssembly(label)) {
    product.shape = XCAFDoc_ShapeTool::GetShape(label);
    return product;
  }
  TDF_LabelSequence components;
  XCAFDoc_ShapeTool::GetComponents(label, components);
  for (const TDF_Label& component : components) {
    TDF_Label referred;
    if (!XCAFDoc_ShapeTool::GetReferredShape(component, referred)) continue;
    product.children.push_back(ProductOf(referred, XCAFDoc_ShapeTool::GetLocation(component).Transformation()));
  }
  return product;
}

TopoDS_Shape WholeShape(const TDF_LabelSequence& freeLabels) {
  if (freeLabels.Size() == 1) return XCAFDoc_ShapeTool::GetShape(freeLabels.First());
  TopoDS_Compound whole;
  BRep_Builder builder;
  builder.MakeCompound(whole);
  for (const TDF_Label& label : freeLabels) builder.Add(whole, XCAFDoc_ShapeTool::GetShape(label));
  return whole;
}

// The uncertainty the file declares for its lengths, in millimetres: the
// loosest of its representation contexts, or the translator's own default
// when it declares none.
double DeclaredPrecision(const Handle(StepData_StepModel) & model) {
  using Context = StepGeom_GeomRepContextAndGlobUnitAssCtxAndGlobUncertaintyAssCtx;
  double precision = 0;
  for (Standard_Integer entity = 1; entity <= model->NbEntities(); ++entity) {
    const Handle(Context) context = Handle(Context)::DownCast(model->Value(entity));
    if (context.IsNull()) continue;
    STEPConstruct_UnitContext units;
    units.ComputeFactors(context->GlobalUnitAssignedContext());
    units.ComputeTolerance(context->GlobalUncertaintyAssignedContext());
    if (units.HasUncertainty()) precision = std::max(precision, units.Uncertainty() * units.LengthFactor());
  }
  return precision > 0 ? precision : Interface_Static::RVal("read.precision.val");
}

Result<ImportedModel> Translate(const std::filesystem::path& path, const RepairOptions& repair) {
  STEPCAFControl_Controller::Init();
  const FilePrecisionReading filePrecision;
  XdeDocument document;
  STEPCAFControl_Reader reader;
  reader.SetNameMode(true);
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
    return ModelFileFailure(path, kModelFileBroken, "the STEP file cannot be parsed");
  }
  if (!reader.Transfer(document.document())) {
    return ModelFileFailure(path, kModelFileBroken, "the STEP file holds no geometry that can be translated");
  }
  TDF_LabelSequence freeLabels;
  document.shapes()->GetFreeShapes(freeLabels);
  ImportedModel model;
  for (const TDF_Label& label : freeLabels) model.products.push_back(ProductOf(label, gp_Trsf()));
  model.shape = WholeShape(freeLabels);
  if (model.products.empty() || model.shape.IsNull()) {
    return ModelFileFailure(path, kModelFileBroken, "the STEP file holds no shape");
  }
  const double precision = DeclaredPrecision(reader.Reader().StepModel());
  if (Status repaired = RepairImportedModel(model, repair, precision); !repaired) {
    return ModelFileFailure(path, repaired.failure().number, repaired.failure().description);
  }
  return model;
}

}  // namespace

Result<ImportedModel> ReadStep(const std::filesystem::path& path, const RepairOptions& repair) {
  const Result<ModelFileSample> sample = SampleModelFile(path);
  if (!sample) return sample.failure();
  if (Status status = CheckStepSample(path, sample.value()); !status) return status.failure();
  return Guarded("reading " + path.string(), [&] { return Translate(path, repair); });
}

}  // namespace korrin::standin
