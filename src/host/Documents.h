#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin::host {

// The open documents of a host. A document's handle fails every call once
// the document is closed.
class Documents {
 public:
  virtual ~Documents() = default;

  // Empty for a document never saved.
  virtual Result<std::string> FullFileName(DocumentHandle document) = 0;
  virtual Result<std::int32_t> DocumentType(DocumentHandle document) = 0;
  virtual Status Save(DocumentHandle document) = 0;
  // With copy true the open document keeps its name and state.
  virtual Status SaveAs(DocumentHandle document, const std::string& fullFileName, bool copy) = 0;
  // skipSave true closes without saving; no value lets the host decide.
  virtual Status Close(DocumentHandle document, std::optional<bool> skipSave) = 0;

  // A drawing's sheets, counted from 1.
  virtual Result<std::int32_t> SheetCount(DocumentHandle drawing) = 0;
  virtual Result<SheetHandle> Sheet(DocumentHandle drawing, std::int32_t number) = 0;
  virtual Result<SheetHandle> ActiveSheet(DocumentHandle drawing) = 0;

  // The files the document references, in the host's order.
  virtual Result<std::vector<ReferencedFile>> ReferencedFiles(DocumentHandle document) = 0;
  // The document a descriptor of an open document refers to, loaded for
  // reading; fails when the reference does not resolve.
  virtual Result<DocumentHandle> ReferencedDocument(DescriptorHandle descriptor) = 0;
};

// The sheets of open drawings.
class Sheets {
 public:
  virtual ~Sheets() = default;

  virtual Status Activate(SheetHandle sheet) = 0;
  // Size in centimetres.
  virtual Result<double> Width(SheetHandle sheet) = 0;
  virtual Result<double> Height(SheetHandle sheet) = 0;
  virtual Result<std::int32_t> SizeCode(SheetHandle sheet) = 0;
  virtual Result<bool> HasBorder(SheetHandle sheet) = 0;
  virtual Status DeleteBorder(SheetHandle sheet) = 0;
  virtual Result<bool> HasTitleBlock(SheetHandle sheet) = 0;
  virtual Status DeleteTitleBlock(SheetHandle sheet) = 0;
  // Nonzero while anything is pending; kViewsComputingBit while views are
  // being computed.
  virtual Result<std::int32_t> StatusWord(SheetHandle sheet) = 0;
  virtual Result<bool> ExcludedFromPrinting(SheetHandle sheet) = 0;
};

// The translator add-ins of a host, found among its add-ins by display name.
class Translators {
 public:
  virtual ~Translators() = default;

  // Fills the option map with the translator's options for saving a copy.
  virtual Result<bool> HasSaveCopyAsOptions(AddInHandle translator, DocumentHandle document, ContextHandle context,
                                            OptionMapHandle options) = 0;
  // Writes the file named in the data medium.
  virtual Status SaveCopyAs(AddInHandle translator, DocumentHandle document, ContextHandle context,
                            OptionMapHandle options, DataMediumHandle medium) = 0;
  virtual Result<bool> HasOpenOptions(AddInHandle translator, DataMediumHandle medium, ContextHandle context,
                                      OptionMapHandle options) = 0;
  // Opens the file named in the data medium as a new document.
  virtual Result<DocumentHandle> Open(AddInHandle translator, DataMediumHandle medium, ContextHandle context,
                                      OptionMapHandle options) = 0;
};

}  // namespace korrin::host
