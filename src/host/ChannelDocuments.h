#pragma once

#include "host/ChannelCalls.h"
#include "host/Documents.h"

namespace korrin::host {

// The documents of a host behind a dispatch channel. A document handle is
// the document's object reference.
class ChannelDocuments : public Documents {
 public:
  explicit ChannelDocuments(ChannelCalls& calls) : calls_(calls) {}

  Result<std::string> FullFileName(DocumentHandle document) override;
  Result<std::int32_t> DocumentType(DocumentHandle document) override;
  Status Save(DocumentHandle document) override;
  Status SaveAs(DocumentHandle document, const std::string& fullFileName, bool copy) override;
  Status Close(DocumentHandle document, std::optional<bool> skipSave) override;
  Result<std::int32_t> SheetCount(DocumentHandle drawing) override;
  Result<SheetHandle> Sheet(DocumentHandle drawing, std::int32_t number) override;
  Result<SheetHandle> ActiveSheet(DocumentHandle drawing) override;
  Result<std::vector<ReferencedFile>> ReferencedFiles(DocumentHandle document) override;
  Result<DocumentHandle> ReferencedDocument(DescriptorHandle descriptor) override;

 private:
  Result<ReferencedFile> Descriptor(ObjectReference descriptors, std::int32_t number);

  ChannelCalls& calls_;
};

}  // namespace korrin::host
