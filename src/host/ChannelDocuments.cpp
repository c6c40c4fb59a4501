#include "host/ChannelDocuments.h"

#include "host/DispatchMembers.h"

namespace korrin::host {

Result<std::string> ChannelDocuments::FullFileName(DocumentHandle document) {
  return calls_.GetText(Object(document), members::kFullFileName);
}

Result<std::int32_t> ChannelDocuments::DocumentType(DocumentHandle document) {
  return calls_.GetInteger(Object(document), members::kDocumentType);
}

Status ChannelDocuments::Save(DocumentHandle document) {
  return AsStatus(calls_.Call(Object(document), members::kSave, {}, CallWeight::Work));
}

Status ChannelDocuments::SaveAs(DocumentHandle document, const std::string& fullFileName, bool copy) {
  return AsStatus(calls_.Call(Object(document), members::kSaveAs, {fullFileName, copy}, CallWeight::Work));
}

Status ChannelDocuments::Close(DocumentHandle document, std::optional<bool> skipSave) {
  // No argument at all lets the host apply its own default.
  std::vector<DispatchValue> arguments;
  if (skipSave) arguments.emplace_back(*skipSave);
  return AsStatus(calls_.Call(Object(document), members::kClose, arguments, CallWeight::Work));
}

Result<std::int32_t> ChannelDocuments::SheetCount(DocumentHandle drawing) {
  Result<ObjectReference> sheets = calls_.GetObject(Object(drawing), members::kSheets);
  if (!sheets) return sheets.failure();
  return calls_.GetInteger(sheets.value(), members::kCount);
}

Result<SheetHandle> ChannelDocuments::Sheet(DocumentHandle drawing, std::int32_t number) {
  Result<ObjectReference> sheets = calls_.GetObject(Object(drawing), members::kSheets);
  if (!sheets) return sheets.failure();
  return AsHandle<SheetHandle>(calls_.GetObject(sheets.value(), members::kItem, {number}));
}

Result<SheetHandle> ChannelDocuments::ActiveSheet(DocumentHandle drawing) {
  return AsHandle<SheetHandle>(calls_.GetObject(Object(drawing), members::kActiveSheet));
}

Result<ReferencedFile> ChannelDocuments::Descriptor(ObjectReference descriptors, std::int32_t number) {
  Result<ObjectReference> descriptor = calls_.GetObject(descriptors, members::kItem, {number});
  if (!descriptor) return descriptor.failure();
  Result<std::int32_t> type = calls_.GetInteger(descriptor.value(), members::kReferencedDocumentType);
  if (!type) return type.failure();
  Result<std::string> name = calls_.GetText(descriptor.value(), members::kDescriptorFullFileName);
  if (!name) return name.failure();
  return ReferencedFile{DescriptorHandle{descriptor.value().value}, type.value(), name.value()};
}

Result<std::vector<ReferencedFile>> ChannelDocuments::ReferencedFiles(DocumentHandle document) {
  Result<ObjectReference> descriptors = calls_.GetObject(Object(document), members::kReferencedFileDescriptors);
  if (!descriptors) return descriptors.failure();
  Result<std::int32_t> count = calls_.GetInteger(descriptors.value(), members::kCount);
  if (!count) return count.failure();
  std::vector<ReferencedFile> files;
  for (std::int32_t number = 1; number <= count.value(); ++number) {
    Result<ReferencedFile> file = Descriptor(descriptors.value(), number);
    if (!file) return file.failure();
    files.push_back(std::move(file).value());
  }
  return files;
}

Result<DocumentHandle> ChannelDocuments::ReferencedDocument(DescriptorHandle descriptor) {
  return AsHandle<DocumentHandle>(calls_.GetObject(Object(descriptor), members::kReferencedDocument));
}

}  // namespace korrin::host
