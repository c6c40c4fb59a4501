#include "StandinApprentice.h"

#include "HostPaths.h"
#include "ReleaseRule.h"
#include "StandinFailures.h"
#include "documents/StandinDocumentReader.h"
#include "host/HostCodes.h"

namespace korrin::standin {
StandinApprentice::StandinApprentice(StandinRelease softwareVersion, ProjectLookup activeProject,
                                     std::shared_ptr<std::size_t> diskReads)
    : softwareVersion_(softwareVersion), activeProject_(std::move(activeProject)), diskReads_(std::move(diskReads)) {}

Result<host::DocumentHandle> StandinApprentice::Read(const std::string& path) {
  auto known = files_.find(path);
  if (known == files_.end()) {
    ++*diskReads_;
    auto read = ReadStandinDocument(path);
    Result<host::DocumentHandle> outcome =
        read ? Result<host::DocumentHandle>(documents_.Add(ReadDocument{std::move(read).value(), path, {}, false}))
             : Result<host::DocumentHandle>(read.failure());
    known = files_.emplace(path, std::move(outcome)).first;
  }
  return known->second;
}

Result<host::DocumentHandle> StandinApprentice::Load(const std::string& path) {
  auto read = Read(path);
  if (!read) return read;
  const StandinRelease& release = documents_.Find(read.value()).value()->model.release;
  if (!ReleaseReads(softwareVersion_, release)) {
    return Unspecified("\"" + path + "\" was saved by a newer release (" + ReleaseText(release) +
                       ") than this reader reads.");
  }
  return read;
}

Result<host::DocumentHandle> StandinApprentice::Open(const std::string& fullFileName) {
  return Load(fullFileName);
}

Status StandinApprentice::CloseAll() {
  files_.clear();
  documents_.Clear();
  descriptors_.Clear();
  return {};
}

Result<host::Release> StandinApprentice::SoftwareVersion() {
  return host::Release{softwareVersion_.majorNumber, softwareVersion_.minorNumber};
}

Result<std::string> StandinApprentice::ActiveProjectFile() { return activeProject_(); }

Result<bool> StandinApprentice::NeedsMigrating(host::DocumentHandle document) {
  auto found = documents_.Find(document);
  if (!found) return found.failure();
  return found.value()->model.needsMigrating;
}

Result<std::int32_t> StandinApprentice::ComputeStatus(host::DocumentHandle document) {
  auto found = documents_.Find(document);
  if (!found) return found.failure();
  return static_cast<std::int32_t>(found.value()->model.computeStatus);
}

Result<host::Release> StandinApprentice::CreatingRelease(host::DocumentHandle document) {
  auto found = documents_.Find(document);
  if (!found) return found.failure();
  return host::Release{found.value()->model.release.majorNumber, found.value()->model.release.minorNumber};
}

Result<std::vector<host::ReferencedFile>> StandinApprentice::ReferencedFiles(host::DocumentHandle document) {
  auto found = documents_.Find(document);
  if (!found) return found.failure();
  ReadDocument& owner = *found.value();  // stays put while documents are added
  if (owner.referencesListed) return owner.references;
  const std::string folder = FolderOf(owner.fullFileName);
  std::vector<host::ReferencedFile> files;
  for (std::size_t i = 0; i < owner.model.references.size(); ++i) {
    const std::string path = ResolvedReference(folder, owner.model.references[i].path);
    // Reading the file for its type loads it: the walk that follows reaches
    // it without a second read.
    auto referenced = Read(path);
    const std::int32_t type = referenced
                                  ? static_cast<std::int32_t>(documents_.Find(referenced.value()).value()->model.type)
                                  : host::kUnknownDocument;
    files.push_back({descriptors_.Add({document, i}), type, path});
  }
  owner.references = files;
  owner.referencesListed = true;
  return files;
}

Result<host::DocumentHandle> StandinApprentice::ReferencedDocument(host::DescriptorHandle descriptor) {
  auto place = descriptors_.Find(descriptor);
  if (!place) return place.failure();
  auto owner = documents_.Find(place.value()->document);
  if (!owner) return owner.failure();
  const std::string path = owner.value()->references[place.value()->index].fullFileName;
  auto loaded = Load(path);
  if (!loaded) return Unspecified("The reference to \"" + path + "\" does not resolve.");
  return loaded;
}

Result<const StandinSheet*> StandinApprentice::FindSheet(host::DocumentHandle drawing, std::int32_t number) {
  auto found = documents_.Find(drawing);
  if (!found) return found.failure();
  const auto& sheets = found.value()->model.sheets;
  if (found.value()->model.type != DocumentType::Drawing) return InvalidArgument("Only drawings have sheets.");
  if (number < 1 || static_cast<std::size_t>(number) > sheets.size()) {
    return InvalidArgument("The drawing has no sheet " + std::to_string(number) + ".");
  }
  return &sheets[static_cast<std::size_t>(number) - 1];
}

Result<std::int32_t> StandinApprentice::SheetCount(host::DocumentHandle drawing) {
  auto found = documents_.Find(drawing);
  if (!found) return found.failure();
  if (found.value()->model.type != DocumentType::Drawing) return InvalidArgument("Only drawings have sheets.");
  return static_cast<std::int32_t>(found.value()->model.sheets.size());
}

Result<double> StandinApprentice::SheetWidth(host::DocumentHandle drawing, std::int32_t number) {
  auto sheet = FindSheet(drawing, number);
  if (!sheet) return sheet.failure();
  return sheet.value()->widthCentimetres;
}

Result<double> StandinApprentice::SheetHeight(host::DocumentHandle drawing, std::int32_t number) {
  auto sheet = FindSheet(drawing, number);
  if (!sheet) return sheet.failure();
  return sheet.value()->heightCentimetres;
}

Result<std::int32_t> StandinApprentice::SheetSizeCode(host::DocumentHandle drawing, std::int32_t number) {
  auto sheet = FindSheet(drawing, number);
  if (!sheet) return sheet.failure();
  return sheet.value()->sizeCode;
}

}  // namespace korrin::standin
