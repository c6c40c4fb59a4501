#include "ModelHost.h"

#include <algorithm>

#include "host/ChannelFailures.h"
#include "settings/PathText.h"

namespace korrin::testing {
namespace {

Failure Unspecified(std::string description) { return Failure{host::kUnspecifiedFailure, std::move(description)}; }

std::string EnvironmentOf(std::int32_t type) {
  switch (type) {
    case host::kPartDocument: return "Part";
    case host::kAssemblyDocument: return "Assembly";
    case host::kDrawingDocument: return "Drawing";
    case host::kPresentationDocument: return "Presentation";
    default: return "ZeroDoc";
  }
}

}  // namespace

ModelHost::ModelHost(ModelFiles& files) : files_(files) {
  for (const char* name : {"Content Library Browser", "Autodesk DWF Translator", "Autodesk DWG Translator",
                           "Autodesk DXF Translator", "Autodesk IGES Translator", "Autodesk SAT Translator",
                           "Autodesk STEP Translator", "Autodesk STL Translator"}) {
    addIns_.push_back({NextHandle(), name, std::string_view(name).ends_with(" Translator")});
  }
}

std::vector<std::string> ModelHost::OpenFileNames() const {
  std::vector<std::string> names;
  for (const Document& document : documents_) names.push_back(document.fullFileName);
  return names;
}

Status ModelHost::Running() const {
  if (quit_) return host::ObjectDisconnected();
  return {};
}

Result<ModelHost::Document*> ModelHost::Find(std::uint64_t document) {
  for (Document& open : documents_) {
    if (open.handle == document) return &open;
  }
  return host::ObjectDisconnected();
}

Result<ModelHost::Document*> ModelHost::OfView(std::uint64_t view) {
  for (Document& open : documents_) {
    if (open.view == view) return &open;
  }
  return host::ObjectDisconnected();
}

Result<ModelHost::Document*> ModelHost::OfWindow(std::uint64_t window) {
  for (Document& open : documents_) {
    if (open.window == window) return &open;
  }
  return host::ObjectDisconnected();
}

Result<ModelSheet*> ModelHost::FindSheet(std::uint64_t sheet) {
  auto place = sheetPlaces_.find(sheet);
  if (place == sheetPlaces_.end()) return host::ObjectDisconnected();
  auto document = Find(place->second.document);
  if (!document) return document.failure();
  return &document.value()->file.sheets[place->second.index];
}

host::DocumentHandle ModelHost::Add(std::string fullFileName, std::int32_t type, ModelFile file) {
  Document document;
  document.handle = NextHandle();
  document.fullFileName = std::move(fullFileName);
  document.type = type;
  document.file = std::move(file);
  if (type != host::kDrawingDocument) document.file.sheets.clear();
  for (std::size_t index = 0; index < document.file.sheets.size(); ++index) {
    document.sheets.push_back(NextHandle());
    sheetPlaces_[document.sheets.back()] = {document.handle, index};
  }
  document.view = NextHandle();
  document.window = NextHandle();
  placements_[document.window] = {0, host::kShowWindow, 0, 0, 1024, 768};
  documents_.push_back(std::move(document));
  return host::DocumentHandle{documents_.back().handle};
}

Status ModelHost::WriteDocument(const Document& document, const std::string& fullFileName) const {
  return WriteModelFile(fullFileName, {"model document " + EnvironmentOf(document.type),
                                       "saved from: " + document.fullFileName});
}

Status ModelHost::SetStartUpSetting(host::StartUpSetting setting, bool value) {
  if (Status running = Running(); !running) return running;
  startUpSettings[setting] = value;
  return {};
}

Status ModelHost::Quit() {
  if (Status running = Running(); !running) return running;
  if (quitFailure) return *quitFailure;
  documents_.clear();
  quit_ = true;
  return {};
}

Result<std::int32_t> ModelHost::DocumentCount() {
  if (Status running = Running(); !running) return running.failure();
  return static_cast<std::int32_t>(documents_.size());
}

// A document already open is handed out again and becomes the active one.
Result<host::DocumentHandle> ModelHost::OpenDocument(const std::string& fullFileName, bool /*visible*/) {
  if (Status running = Running(); !running) return running.failure();
  if (std::optional<Failure> failure = files_.TakeOpenFailure(fullFileName)) return *failure;
  ModelFile file = files_.Find(fullFileName);
  auto open = std::find_if(documents_.begin(), documents_.end(),
                           [&](const Document& document) { return SamePath(document.fullFileName, fullFileName); });
  if (open != documents_.end()) {
    std::rotate(open, open + 1, documents_.end());
    return host::DocumentHandle{documents_.back().handle};
  }
  const std::int32_t type = DocumentTypeOfFile(fullFileName);
  if (type == host::kUnknownDocument) return Unspecified("Not a document: " + fullFileName);
  if (!ModelFileExists(fullFileName)) return Unspecified("File not found: " + fullFileName);
  return Add(fullFileName, type, std::move(file));
}

Result<host::DocumentHandle> ModelHost::ActiveDocument() {
  if (Status running = Running(); !running) return running.failure();
  if (documents_.empty()) return Unspecified("No active document");
  return host::DocumentHandle{documents_.back().handle};
}

Result<std::int32_t> ModelHost::ActiveDocumentType() {
  if (Status running = Running(); !running) return running.failure();
  if (documents_.empty()) return host::kUnknownDocument;
  return documents_.back().type;
}

Result<host::ViewHandle> ModelHost::ActiveView() {
  if (Status running = Running(); !running) return running.failure();
  if (documents_.empty()) return Unspecified("No active view");
  return host::ViewHandle{documents_.back().view};
}

Result<host::WindowHandle> ModelHost::ViewWindow(host::ViewHandle view) {
  auto document = OfView(view.value);
  if (!document) return document.failure();
  return host::WindowHandle{document.value()->window};
}

Status ModelHost::SaveAsBitmap(host::ViewHandle view, const std::string& fileName, std::int32_t width,
                               std::int32_t height) {
  auto document = OfView(view.value);
  if (!document) return document.failure();
  if (width <= 0 || height <= 0) return Unspecified("Bad bitmap size");
  return WriteModelFile(fileName, {"model bitmap " + std::to_string(width) + "x" + std::to_string(height),
                                   "view of: " + document.value()->fullFileName});
}

Result<host::ViewExtents> ModelHost::ViewWindowExtents(host::ViewHandle view) {
  auto document = OfView(view.value);
  if (!document) return document.failure();
  const host::WindowPlacement& placement = placements_[document.value()->window];
  return host::ViewExtents{0, 0, placement.bottom - placement.top, placement.right - placement.left};
}

Status ModelHost::SetDisplayMode(host::ViewHandle view, std::int32_t /*displayMode*/) {
  auto document = OfView(view.value);
  if (!document) return document.failure();
  return {};
}

Status ModelHost::UpdateView(host::ViewHandle view) { return SetDisplayMode(view, 0); }

Status ModelHost::SetCameraOrientation(host::ViewHandle view, std::int32_t orientation) {
  return SetDisplayMode(view, orientation);
}

Result<host::WindowPlacement> ModelHost::GetWindowPlacement(host::WindowHandle window) {
  auto document = OfWindow(window.value);
  if (!document) return document.failure();
  return placements_[window.value];
}

Status ModelHost::SetWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement) {
  auto document = OfWindow(window.value);
  if (!document) return document.failure();
  placements_[window.value] = placement;
  return {};
}

Status ModelHost::ShowWindow(host::WindowHandle window, std::int32_t showCommand) {
  auto document = OfWindow(window.value);
  if (!document) return document.failure();
  placements_[window.value].showCommand = showCommand;
  return {};
}

Result<std::int32_t> ModelHost::CommandState() {
  if (Status running = Running(); !running) return running.failure();
  if (busyReadsLeft_ > 0) {
    --busyReadsLeft_;
    return kCommandRunning;
  }
  return host::kCommandStateIdle;
}

// Save Copy As saves the active document into the posted file name, as the
// dialog the command opens takes it without asking.
Status ModelHost::StartCommand(std::int32_t command) {
  if (Status running = Running(); !running) return running;
  if (command != host::kSaveCopyAsCommand) return Unspecified("Unknown command " + std::to_string(command));
  if (documents_.empty()) return Unspecified("No active document");
  if (postedFileName_.empty()) return Unspecified("No file name posted");
  startedCommands.push_back(command);
  busyReadsLeft_ = commandBusyReads;
  const std::string target = std::exchange(postedFileName_, std::string());
  return WriteDocument(documents_.back(), target);
}

Status ModelHost::PostFileName(std::int32_t postType, const std::string& fileName) {
  if (Status running = Running(); !running) return running;
  if (postType != host::kFileNamePostType) return Unspecified("Unknown post type " + std::to_string(postType));
  postedFileName_ = fileName;
  return {};
}

Result<std::string> ModelHost::ActiveEnvironmentName() {
  if (Status running = Running(); !running) return running.failure();
  if (environment) return *environment;
  return EnvironmentOf(documents_.empty() ? host::kUnknownDocument : documents_.back().type);
}

Result<std::string> ModelHost::UserName() {
  if (Status running = Running(); !running) return running.failure();
  return userName;
}

Result<std::string> ModelHost::FullFileName(host::DocumentHandle document) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  return found.value()->fullFileName;
}

Result<std::int32_t> ModelHost::DocumentType(host::DocumentHandle document) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  return found.value()->type;
}

Status ModelHost::Save(host::DocumentHandle document) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  if (found.value()->fullFileName.empty()) return Unspecified("The document has never been saved");
  return WriteDocument(*found.value(), found.value()->fullFileName);
}

Status ModelHost::SaveAs(host::DocumentHandle document, const std::string& fullFileName, bool copy) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  if (Status written = WriteDocument(*found.value(), fullFileName); !written) return written;
  if (!copy) found.value()->fullFileName = fullFileName;
  return {};
}

Status ModelHost::Close(host::DocumentHandle document, std::optional<bool> /*skipSave*/) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  std::erase_if(documents_, [&](const Document& open) { return open.handle == document.value; });
  return {};
}

Result<std::int32_t> ModelHost::SheetCount(host::DocumentHandle drawing) {
  auto found = Find(drawing.value);
  if (!found) return found.failure();
  return static_cast<std::int32_t>(found.value()->sheets.size());
}

Result<host::SheetHandle> ModelHost::Sheet(host::DocumentHandle drawing, std::int32_t number) {
  auto found = Find(drawing.value);
  if (!found) return found.failure();
  const std::vector<std::uint64_t>& sheets = found.value()->sheets;
  if (number < 1 || static_cast<std::size_t>(number) > sheets.size()) return host::BadIndex();
  return host::SheetHandle{sheets[static_cast<std::size_t>(number) - 1]};
}

Result<host::SheetHandle> ModelHost::ActiveSheet(host::DocumentHandle drawing) {
  auto found = Find(drawing.value);
  if (!found) return found.failure();
  if (found.value()->sheets.empty()) return Unspecified("The document has no sheets");
  return host::SheetHandle{found.value()->sheets[found.value()->activeSheet]};
}

// A reference resolves when its file exists; its descriptor then reports
// the type the file's extension gives.
Result<std::vector<host::ReferencedFile>> ModelHost::ReferencedFiles(host::DocumentHandle document) {
  auto found = Find(document.value);
  if (!found) return found.failure();
  std::vector<host::ReferencedFile> files;
  for (const std::string& reference : found.value()->file.references) {
    const std::uint64_t descriptor = NextHandle();
    descriptors_[descriptor] = reference;
    const bool resolves = ModelFileExists(reference);
    files.push_back({host::DescriptorHandle{descriptor},
                     resolves ? DocumentTypeOfFile(reference) : host::kUnknownDocument, reference});
  }
  return files;
}

Result<host::DocumentHandle> ModelHost::ReferencedDocument(host::DescriptorHandle descriptor) {
  if (Status running = Running(); !running) return running.failure();
  auto found = descriptors_.find(descriptor.value);
  if (found == descriptors_.end()) return host::ObjectDisconnected();
  if (!ModelFileExists(found->second)) return Unspecified("Unresolved reference: " + found->second);
  const std::string path = found->second;
  for (const Document& open : documents_) {
    if (SamePath(open.fullFileName, path)) return host::DocumentHandle{open.handle};
  }
  // Loaded for reading: it joins the open documents without becoming active.
  host::DocumentHandle loaded = Add(path, DocumentTypeOfFile(path), files_.Find(path));
  std::rotate(documents_.rbegin(), documents_.rbegin() + 1, documents_.rend());
  return loaded;
}

Status ModelHost::Activate(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  const SheetPlace place = sheetPlaces_[sheet.value];
  Find(place.document).value()->activeSheet = place.index;
  return {};
}

Result<double> ModelHost::Width(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  return found.value()->width;
}

Result<double> ModelHost::Height(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  return found.value()->height;
}

Result<std::int32_t> ModelHost::SizeCode(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  return found.value()->sizeCode;
}

Result<bool> ModelHost::HasBorder(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  return found.value()->border;
}

Status ModelHost::DeleteBorder(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  if (!found.value()->border) return Unspecified("The sheet has no border");
  found.value()->border = false;
  return {};
}

Result<bool> ModelHost::HasTitleBlock(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  return found.value()->titleBlock;
}

Status ModelHost::DeleteTitleBlock(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  if (!found.value()->titleBlock) return Unspecified("The sheet has no title block");
  found.value()->titleBlock = false;
  return {};
}

Result<std::int32_t> ModelHost::StatusWord(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  if (found.value()->computingReads > 0) {
    --found.value()->computingReads;
    return host::kViewsComputingBit;
  }
  return 0;
}

Result<bool> ModelHost::ExcludedFromPrinting(host::SheetHandle sheet) {
  auto found = FindSheet(sheet.value);
  if (!found) return found.failure();
  return found.value()->excludedFromPrinting;
}

}  // namespace korrin::testing
