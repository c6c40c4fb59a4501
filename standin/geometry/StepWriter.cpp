#include "geometry/StepWriter.h"

#include <APIHeaderSection_MakeHeader.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_HArray1OfHAsciiString.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Controller.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <StepData_StepModel.hxx>
#include <TCollection_ExtendedString.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TDataStd_Name.hxx>
#include <TopLoc_Location.hxx>
#include <cerrno>
#include <vector>

#include "geometry/GeometryFailure.h"
#include "geometry/OcctGuard.h"
#include "geometry/SiblingFile.h"
#include "geometry/XdeDocument.h"

namespace korrin::standin {
namespace {

// Values of Open CASCADE's "write.step.schema" setting.
constexpr const char* kSchemaSetting = "write.step.schema";
constexpr const char* kConfigurationControlledDesignSchema = "AP203";
constexpr const char* kAutomotiveDesignSchema = "AP214IS";

// Labels already made for parts, so a part placed twice is one product.
struct PartLabel {
  std::string name;
  TopoDS_Shape shape;
  TDF_Label label;
};

class ProductLabels {
 public:
  explicit ProductLabels(Handle(XCAFDoc_ShapeTool) shapes) : shapes_(std::move(shapes)) {}

  TDF_Label Add(const ProductNode& product) { return product.IsAssembly() ? AddAssembly(product) : AddPart(product); }

 private:
  TDF_Label AddPart(const ProductNode& part) {
    for (const PartLabel& made : parts_) {
      if (made.name == part.name && made.shape.IsSame(part.shape)) return made.label;
    }
    const bool expandCompounds = false;
    const TDF_Label label = shapes_->AddShape(part.shape, expandCompounds);
    Name(label, part.name);
    parts_.push_back({part.name, part.shape, label});
    return label;
  }

  TDF_Label AddAssembly(const ProductNode& assembly) {
    const TDF_Label label = shapes_->NewShape();
    Name(label, assembly.name);
    for (const ProductNode& child : assembly.children) {
      shapes_->AddComponent(label, Add(child), TopLoc_Location(child.placement));
    }
    return label;
  }

  static void Name(const TDF_Label& label, const std::string& name) {
    const bool utf8 = true;
    TDataStd_Name::Set(label, TCollection_ExtendedString(name.c_str(), utf8));
  }

  Handle(XCAFDoc_ShapeTool) shapes_;
  std::vector<PartLabel> parts_;
};

Status CheckProduct(const ProductNode& product) {
  if (product.name.empty()) return Failure{kInvalidModel, "a product without a name cannot be written"};
  if (!product.IsAssembly() && product.shape.IsNull()) {
    return Failure{kInvalidModel, "the part \"" + product.name + "\" has no shape"};
  }
  for (const ProductNode& child : product.children) {
    if (Status status = CheckProduct(child); !status) return status;
  }
  return {};
}

// The schema must be chosen before the writer makes its model, or the header
// and the entities disagree.
void SelectProtocol(StepProtocol protocol) {
  STEPCAFControl_Controller::Init();
  const char* schema = protocol == StepProtocol::ConfigurationControlledDesign ? kConfigurationControlledDesignSchema
                                                                               : kAutomotiveDesignSchema;
  Interface_Static::SetCVal(kSchemaSetting, schema);
}

Handle(TCollection_HAsciiString) Text(const std::string& text) { return new TCollection_HAsciiString(text.c_str()); }

Handle(Interface_HArray1OfHAsciiString) OneText(const std::string& text) {
  Handle(Interface_HArray1OfHAsciiString) list = new Interface_HArray1OfHAsciiString(1, 1);
  list->SetValue(1, Text(text));
  return list;
}

void WriteHeader(const Handle(StepData_StepModel) & model, const std::string& fileName, const StepOptions& options) {
  APIHeaderSection_MakeHeader header(model);
  header.SetName(Text(fileName));
  header.SetAuthor(OneText(options.author));
  header.SetOrganization(OneText(options.organization));
  header.SetAuthorisation(Text(options.authorization));
  header.SetDescription(OneText(options.description));
  header.SetOriginatingSystem(Text(options.originatingSystem));
}

Status WriteFile(const ProductNode& product, const std::filesystem::path& temporary, const std::string& fileName,
                 const StepOptions& options) {
  XdeDocument document;
  ProductLabels(document.shapes()).Add(product);
  document.shapes()->UpdateAssemblies();
  SelectProtocol(options.protocol);
  STEPCAFControl_Writer writer;
  writer.SetNameMode(true);
  if (!writer.Transfer(document.document(), STEPControl_AsIs)) {
    return Failure{kGeometryFailed, "Open CASCADE cannot translate \"" + product.name + "\" to STEP"};
  }
  WriteHeader(writer.ChangeWriter().Model(), fileName, options);
  if (writer.Write(temporary.c_str()) != IFSelect_RetDone) return Failure{EIO, "the STEP writer failed"};
  return {};
}

}  // namespace

Status WriteStep(const ProductNode& product, const std::filesystem::path& path, const StepOptions& options) {
  if (Status valid = CheckProduct(product); !valid) return valid;
  return WriteThroughSibling(path, [&](const std::filesystem::path& temporary) {
    return Guarded("writing STEP", [&] { return WriteFile(product, temporary, path.filename().string(), options); });
  });
}

}  // namespace korrin::standin
