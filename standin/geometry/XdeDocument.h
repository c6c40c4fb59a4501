#pragma once

#include <TDocStd_Document.hxx>
#include <XCAFDoc_ShapeTool.hxx>

namespace korrin::standin {

// An Open CASCADE XDE document (shapes with names and assembly structure),
// closed when it goes out of scope. Creating it may throw Standard_Failure.
class XdeDocument {
 public:
  XdeDocument();
  XdeDocument(const XdeDocument&) = delete;
  XdeDocument& operator=(const XdeDocument&) = delete;
  ~XdeDocument();

  Handle(TDocStd_Document) & document() { return document_; }
  Handle(XCAFDoc_ShapeTool) shapes() const;

 private:
  Handle(TDocStd_Document) document_;
};

}  // namespace korrin::standin
