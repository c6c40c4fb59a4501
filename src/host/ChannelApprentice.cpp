#include "host/ChannelApprentice.h"

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::host {

namespace m = members;

Result<DocumentHandle> ChannelApprentice::Open(const std::string& fullFileName) {
  Result<ObjectReference> document = ToObject(calls_.Call(kApplicationObject, m::kReaderOpen, {fullFileName}, CallWeight::Work));
  if (!document) return document.failure();
  return DocumentHandle{document.value().value};
}

Status ChannelApprentice::CloseAll() {
  return AsStatus(calls_.Call(kApplicationObject, m::kReaderCloseAll, {}, CallWeight::Query));
}

Result<Release> ChannelApprentice::ReleaseOf(ObjectReference version) {
  Result<std::int32_t> major = calls_.GetInteger(version, m::kMajorVersion);
  if (!major) return major.failure();
  Result<std::int32_t> minor = calls_.GetInteger(version, m::kMinorVersion);
  if (!minor) return minor.failure();
  return Release{major.value(), minor.value()};
}

Result<Release> ChannelApprentice::SoftwareVersion() {
  Result<ObjectReference> version = calls_.GetObject(kApplicationObject, m::kReaderSoftwareVersion);
  if (!version) return version.failure();
  return ReleaseOf(version.value());
}

Result<std::string> ChannelApprentice::ActiveProjectFile() {
  Result<ObjectReference> projects = calls_.GetObject(kApplicationObject, m::kReaderProjectManager);
  if (!projects) return projects.failure();
  return calls_.GetText(projects.value(), m::kActiveProjectFile);
}

Result<bool> ChannelApprentice::NeedsMigrating(DocumentHandle document) {
  return calls_.GetBoolean(Object(document), m::kNeedsMigrating);
}

Result<std::int32_t> ChannelApprentice::ComputeStatus(DocumentHandle document) {
  return calls_.GetInteger(Object(document), m::kComputeStatus);
}

Result<Release> ChannelApprentice::CreatingRelease(DocumentHandle document) {
  Result<ObjectReference> version = calls_.GetObject(Object(document), m::kCreatingRelease);
  if (!version) return version.failure();
  return ReleaseOf(version.value());
}

Result<std::vector<ReferencedFile>> ChannelApprentice::ReferencedFiles(DocumentHandle document) {
  Result<ObjectReference> descriptors = calls_.GetObject(Object(document), m::kReaderReferencedFileDescriptors);
  if (!descriptors) return descriptors.failure();
  Result<std::int32_t> count = calls_.GetInteger(descriptors.value(), m::kCount);
  if (!count) return count.failure();
  std::vector<ReferencedFile> files;
  for (std::int32_t i = 1; i <= count.value(); ++i) {
    Result<ObjectReference> descriptor = calls_.GetObject(descriptors.value(), m::kItem, {i});
    if (!descriptor) return descriptor.failure();
    Result<std::int32_t> type = calls_.GetInteger(descriptor.value(), m::kReferencedDocumentType);
    if (!type) return type.failure();
    Result<std::string> name = calls_.GetText(descriptor.value(), m::kDescriptorFullFileName);
    if (!name) return name.failure();
    files.push_back({DescriptorHandle{descriptor.value().value}, type.value(), name.value()});
  }
  return files;
}

Result<DocumentHandle> ChannelApprentice::ReferencedDocument(DescriptorHandle descriptor) {
  Result<ObjectReference> document = calls_.GetObject(Object(descriptor), m::kReferencedDocument);
  if (!document) return document.failure();
  return DocumentHandle{document.value().value};
}

Result<ObjectReference> ChannelApprentice::Sheet(DocumentHandle drawing, std::int32_t number) {
  Result<ObjectReference> sheets = calls_.GetObject(Object(drawing), m::kReaderSheets);
  if (!sheets) return sheets.failure();
  return calls_.GetObject(sheets.value(), m::kItem, {number});
}

Result<std::int32_t> ChannelApprentice::SheetCount(DocumentHandle drawing) {
  Result<ObjectReference> sheets = calls_.GetObject(Object(drawing), m::kReaderSheets);
  if (!sheets) return sheets.failure();
  return calls_.GetInteger(sheets.value(), m::kCount);
}

Result<double> ChannelApprentice::SheetWidth(DocumentHandle drawing, std::int32_t number) {
  Result<ObjectReference> sheet = Sheet(drawing, number);
  if (!sheet) return sheet.failure();
  return calls_.GetDouble(sheet.value(), m::kSheetWidth);
}

Result<double> ChannelApprentice::SheetHeight(DocumentHandle drawing, std::int32_t number) {
  Result<ObjectReference> sheet = Sheet(drawing, number);
  if (!sheet) return sheet.failure();
  return calls_.GetDouble(sheet.value(), m::kSheetHeight);
}

Result<std::int32_t> ChannelApprentice::SheetSizeCode(DocumentHandle drawing, std::int32_t number) {
  Result<ObjectReference> sheet = Sheet(drawing, number);
  if (!sheet) return sheet.failure();
  return calls_.GetInteger(sheet.value(), m::kSheetSizeCode);
}

}  // namespace korrin::host
