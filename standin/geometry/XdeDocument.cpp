#include "geometry/XdeDocument.h"

#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>

namespace korrin::standin {

XdeDocument::XdeDocument() { XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document_); }

XdeDocument::~XdeDocument() {
  if (!document_.IsNull()) XCAFApp_Application::GetApplication()->Close(document_);
}

Handle(XCAFDoc_ShapeTool) XdeDocument::shapes() const { return XCAFDoc_DocumentTool::ShapeTool(document_->Main()); }

}  // namespace korrin::standin
