#include "ModelApprentice.h"

#include "host/ChannelFailures.h"

namespace korrin::testing {
namespace {

Failure Unspecified(std::string description) { return Failure{host::kUnspecifiedFailure, std::move(description)}; }

}  // namespace

Result<host::DocumentHandle> ModelApprentice::Open(const std::string& fullFileName) {
  ModelFile file = files_.Find(fullFileName);
  if (file.readerOpenFailure) return *file.readerOpenFailure;
  if (DocumentTypeOfFile(fullFileName) == host::kUnknownDocument) return Unspecified("Not a document: " + fullFileName);
  if (!ModelFileExists(fullFileName)) return Unspecified("File not found: " + fullFileName);
  if (DocumentTypeOfFile(fullFileName) != host::kDrawingDocument) file.sheets.clear();
  documents_[++lastHandle_] = {fullFileName, std::move(file)};
  return host::DocumentHandle{lastHandle_};
}

Status ModelApprentice::CloseAll() {
  documents_.clear();
  return {};
}

Result<const ModelApprentice::Document*> ModelApprentice::Find(host::DocumentHandle document) const {
  auto found = documents_.find(document.value);
  if (found == documents_.end()) return host::ObjectDisconnected();
  return &found->second;
}

Result<const ModelSheet*> ModelApprentice::FindSheet(host::DocumentHandle drawing, std::int32_t number) const {
  auto found = Find(drawing);
  if (!found) return found.failure();
  const std::vector<ModelSheet>& sheets = found.value()->file.sheets;
  if (number < 1 || static_cast<std::size_t>(number) > sheets.size()) return host::BadIndex();
  return &sheets[static_cast<std::size_t>(number) - 1];
}

Result<bool> ModelApprentice::NeedsMigrating(host::DocumentHandle document) {
  auto found = Find(document);
  if (!found) return found.failure();
  return found.value()->file.needsMigrating;
}

Result<std::int32_t> ModelApprentice::ComputeStatus(host::DocumentHandle document) {
  auto found = Find(document);
  if (!found) return found.failure();
  return found.value()->file.computeStatus;
}

Result<host::Release> ModelApprentice::CreatingRelease(host::DocumentHandle document) {
  auto found = Find(document);
  if (!found) return found.failure();
  return found.value()->file.release.value_or(release_);
}

Result<std::vector<host::ReferencedFile>> ModelApprentice::ReferencedFiles(host::DocumentHandle document) {
  auto found = Find(document);
  if (!found) return found.failure();
  std::vector<host::ReferencedFile> files;
  for (const std::string& reference : found.value()->file.references) {
    descriptors_[++lastHandle_] = reference;
    const bool resolves = ModelFileExists(reference);
    files.push_back({host::DescriptorHandle{lastHandle_},
                     resolves ? DocumentTypeOfFile(reference) : host::kUnknownDocument, reference});
  }
  return files;
}

Result<host::DocumentHandle> ModelApprentice::ReferencedDocument(host::DescriptorHandle descriptor) {
  auto found = descriptors_.find(descriptor.value);
  if (found == descriptors_.end()) return host::ObjectDisconnected();
  if (!ModelFileExists(found->second)) return Unspecified("Unresolved reference: " + found->second);
  return Open(std::string(found->second));
}

Result<std::int32_t> ModelApprentice::SheetCount(host::DocumentHandle drawing) {
  auto found = Find(drawing);
  if (!found) return found.failure();
  return static_cast<std::int32_t>(found.value()->file.sheets.size());
}

Result<double> ModelApprentice::SheetWidth(host::DocumentHandle drawing, std::int32_t number) {
  auto sheet = FindSheet(drawing, number);
  if (!sheet) return sheet.failure();
  return sheet.value()->width;
}

Result<double> ModelApprentice::SheetHeight(host::DocumentHandle drawing, std::int32_t number) {
  auto sheet = FindSheet(drawing, number);
  if (!sheet) return sheet.failure();
  return sheet.value()->height;
}

Result<std::int32_t> ModelApprentice::SheetSizeCode(host::DocumentHandle drawing, std::int32_t number) {
  auto sheet = FindSheet(drawing, number);
  if (!sheet) return sheet.failure();
  return sheet.value()->sizeCode;
}

}  // namespace korrin::testing
