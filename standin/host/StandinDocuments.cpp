// The documents and sheets of the stand-in host.
#include <algorithm>
#include <filesystem>

#include "HostPaths.h"
#include "ModelDocuments.h"
#include "ReleaseRule.h"
#include "StandinApplication.h"
#include "StandinContainer.h"
#include "StandinFailures.h"
#include "ViewWindowFrame.h"
#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "host/HostCodes.h"
#include "settings/TextCase.h"

namespace korrin::standin {
namespace {

constexpr const char* kNotebookEnvironment = "NOTEBOOK";

bool IsNativeExtension(const std::string& extension) {
  return extension == "IPT" || extension == "IAM" || extension == "IDW" || extension == "IPN" || extension == "IDE";
}

bool IsModelExchangeExtension(const std::string& extension) {
  return extension == "STP" || extension == "STE" || extension == "STEP" || extension == "IGS" ||
         extension == "IGE" || extension == "IGES" || extension == "STL";
}

std::string NativeExtensionOf(standin::DocumentType type) {
  switch (type) {
    case standin::DocumentType::Part: return "IPT";
    case standin::DocumentType::Assembly: return "IAM";
    case standin::DocumentType::Drawing: return "IDW";
    case standin::DocumentType::Presentation: return "IPN";
    case standin::DocumentType::DesignElement: return "IDE";
  }
  return "";
}

std::string TypeWordOf(standin::DocumentType type) {
  switch (type) {
    case standin::DocumentType::Part: return "part";
    case standin::DocumentType::Assembly: return "assembly";
    case standin::DocumentType::Drawing: return "drawing";
    case standin::DocumentType::Presentation: return "presentation";
    case standin::DocumentType::DesignElement: return "design element";
  }
  return "";
}

bool IsDrawingExchangeExtension(const std::string& extension) { return extension == "DWG" || extension == "DXF"; }

// Pro/ENGINEER names its parts and assemblies "a.prt" and "a.asm", and
// keeps versions as "a.prt.3".
bool IsProEngineerName(const std::string& path) {
  std::string name = ToUpperAscii(std::filesystem::path(path).filename().string());
  const std::size_t lastDot = name.rfind('.');
  if (lastDot != std::string::npos && lastDot + 1 < name.size() &&
      name.find_first_not_of("0123456789", lastDot + 1) == std::string::npos) {
    name.erase(lastDot);
  }
  return name.ends_with(".PRT") || name.ends_with(".ASM");
}

// The kind of a file the stand-in knows but cannot read; empty for others.
std::string UnreadableKind(const std::string& path) {
  if (UpperExtension(path) == "SAT") return "SAT";
  if (IsProEngineerName(path)) return "Pro/ENGINEER";
  return "";
}

// Exports without an open writer become containers named after the kind.
bool IsContainerExtension(const std::string& extension) {
  return extension == "SAT" || extension == "PNP" || extension == "PTP" || extension == "AMP" || extension == "DWP";
}

bool IsMeshExtension(const std::string& extension) { return extension == "XGL" || extension == "ZGL"; }

}  // namespace

Result<StandinApplication::LoadedDocument*> StandinApplication::FindDocument(host::DocumentHandle document) {
  if (Status running = Running(); !running) return running.failure();
  return documents_.Find(document);
}

Result<std::pair<StandinApplication::LoadedDocument*, StandinSheet*>> StandinApplication::FindSheet(
    host::SheetHandle sheet) {
  if (Status running = Running(); !running) return running.failure();
  auto place = sheetPlaces_.Find(sheet);
  if (!place) return place.failure();
  auto document = documents_.Find(place.value()->document);
  if (!document) return document.failure();
  return std::pair{document.value(), &document.value()->model.sheets[place.value()->index]};
}

host::DocumentHandle StandinApplication::AddDocument(StandinDocument model, std::string fullFileName,
                                                     std::string folder, std::string name) {
  LoadedDocument document;
  document.model = std::move(model);
  document.fullFileName = std::move(fullFileName);
  document.folder = std::move(folder);
  document.name = std::move(name);
  for (const StandinSheet& sheet : document.model.sheets) document.computingReadsLeft.push_back(sheet.computingReads);
  const host::DocumentHandle handle = documents_.Add(std::move(document));
  LoadedDocument& added = *documents_.Find(handle).value();
  for (std::size_t i = 0; i < added.model.sheets.size(); ++i) added.sheets.push_back(sheetPlaces_.Add({handle, i}));
  added.view = views_.Add(ViewState{handle, windows_.Add(WindowState{kFirstPlacement, 0}), host::kShadedDisplay,
                                    host::kIsometricViewOrientation});
  UpdateViewsHelper();
  return handle;
}

Result<host::DocumentHandle> StandinApplication::OpenDocument(const std::string& path, bool /*visible*/) {
  if (Status running = Running(); !running) return running.failure();
  for (auto it = openOrder_.begin(); it != openOrder_.end(); ++it) {
    if (documents_.Find(*it).value()->fullFileName == path) {
      const host::DocumentHandle handle = *it;
      openOrder_.erase(it);
      openOrder_.push_back(handle);  // opening an open document activates it
      return handle;
    }
  }
  const std::string extension = UpperExtension(path);
  Result<host::DocumentHandle> opened = Unspecified("The stand-in host cannot open \"" + path +
                                                    "\": it reads no files of type ." + extension + ".");
  if (IsNativeExtension(extension)) {
    opened = OpenStandinDocument(path);
  } else if (IsModelExchangeExtension(extension)) {
    opened = ImportModel(path);
  } else if (IsDrawingExchangeExtension(extension)) {
    opened = ImportDrawing(path, extension);
  } else if (const std::string kind = UnreadableKind(path); !kind.empty()) {
    opened = Unspecified("The stand-in host reads no " + kind + " files: \"" + path + "\"");
  }
  if (opened) openOrder_.push_back(opened.value());
  return opened;
}

Result<host::DocumentHandle> StandinApplication::OpenStandinDocument(const std::string& path) {
  auto read = ReadStandinDocument(path);
  if (!read) return read.failure();
  StandinDocument& model = read.value();
  if (!ReleaseReads(settings_.release, model.release)) {
    return Unspecified("\"" + path + "\" was saved by release " + ReleaseText(model.release) +
                       ", newer than this host (" + ReleaseText(settings_.release) + ").");
  }
  const StandinFaults& faults = model.faults;
  if (Status faulted = OpenFaults(path, faults); !faulted) return faulted.failure();
  BusyFor(faults.busyAfterOpenMilliseconds);
  return AddDocument(std::move(model), path, FolderOf(path), FileStem(path));
}

Result<std::int32_t> StandinApplication::DocumentType(host::DocumentHandle document) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  return static_cast<std::int32_t>(found.value()->model.type);
}

Result<std::string> StandinApplication::FullFileName(host::DocumentHandle document) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  return found.value()->fullFileName;
}

Status StandinApplication::WriteDocument(LoadedDocument& document, const std::string& path) {
  StandinDocument model = document.model;
  const std::string folder = FolderOf(path);
  if (document.importedModel) {
    // An imported assembly has its components in memory only: they are saved
    // as documents of their own beside it, as the host does on import.
    auto references = WriteComponentDocuments(*document.importedModel, folder, model.release);
    if (!references) return references.failure();
    model.references = std::move(references).value();
    return WriteStandinDocument(path, model);
  }
  for (StandinReference& reference : model.references) {
    reference.path = RebasedReference(reference.path, document.folder, folder);
  }
  return WriteStandinDocument(path, model);
}

Status StandinApplication::Save(host::DocumentHandle document) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  LoadedDocument& open = *found.value();
  if (Status faulted = SaveFaults(open.model.faults); !faulted) return faulted;
  if (open.fullFileName.empty()) return Unspecified("The document was never saved: it needs a name first.");
  if (Status written = WriteDocument(open, open.fullFileName); !written) return written;
  open.changed = false;
  BusyFor(open.model.faults.busyAfterSaveMilliseconds);
  return {};
}

Status StandinApplication::SaveAs(host::DocumentHandle document, const std::string& fullFileName, bool copy) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  LoadedDocument& open = *found.value();
  if (Status faulted = SaveFaults(open.model.faults); !faulted) return faulted;
  const std::string extension = UpperExtension(fullFileName);
  if (IsNativeExtension(extension)) {
    if (extension != NativeExtensionOf(open.model.type)) {
      return InvalidArgument("A " + TypeWordOf(open.model.type) + " cannot be saved as ." + extension + ".");
    }
    if (Status written = WriteDocument(open, fullFileName); !written) return written;
    if (!copy) {
      if (open.importedModel) {
        // From now on the assembly is the one saved, components and all.
        auto saved = standin::ReadStandinDocument(fullFileName);
        if (!saved) return saved.failure();
        open.model.references = std::move(saved).value().references;
        open.importedModel.reset();
      } else {
        for (StandinReference& reference : open.model.references) {
          reference.path = RebasedReference(reference.path, open.folder, FolderOf(fullFileName));
        }
      }
      open.fullFileName = fullFileName;
      open.folder = FolderOf(fullFileName);
      open.name = FileStem(fullFileName);
      open.changed = false;
    }
  } else if (Status exported = ExportCopy(open, fullFileName); !exported) {
    return exported;
  }
  BusyFor(open.model.faults.busyAfterSaveMilliseconds);
  return {};
}

Status StandinApplication::ExportCopy(LoadedDocument& document, const std::string& path) {
  const std::string extension = UpperExtension(path);
  if (IsMeshExtension(extension)) return ExportMeshes(document, path, extension == "ZGL");
  if (!IsContainerExtension(extension)) {
    return InvalidArgument("The stand-in host cannot save a document as ." + extension + ".");
  }
  ContainerContent content{extension, document.fullFileName, TypeWordOf(document.model.type), {}};
  if (extension == "SAT") content.options.emplace_back("SaveACISVersion", settings_.acisVersion);
  return WriteContainer(path, content);
}

Status StandinApplication::ExportMeshes(LoadedDocument& document, const std::string& path, bool compressed) {
  const standin::DocumentType type = document.model.type;
  if (type != standin::DocumentType::Part && type != standin::DocumentType::Assembly) {
    return InvalidArgument("A " + TypeWordOf(type) + " cannot be saved as ." + UpperExtension(path) + ".");
  }
  if (settings_.geometry == nullptr) return Unspecified("This stand-in host has no geometry translators.");
  auto model = ModelOf(document);
  if (!model) return model.failure();
  const StlFineness medium{settings_.stlResolutions[kMediumStlResolution]};
  return settings_.geometry->WriteXgl(model.value(), medium, path, compressed);
}

Status StandinApplication::Close(host::DocumentHandle document, std::optional<bool> skipSave) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  LoadedDocument& open = *found.value();
  if (ToUpperAscii(open.model.environment) == kNotebookEnvironment) {
    // A notebook holds on to its window while the window is not restored.
    const WindowState& window = *windows_.Find(views_.Find(open.view).value()->window).value();
    if (window.placement.flags != host::kPlacementRestoreToMaximized) {
      return Unspecified("The notebook cannot close while its window is not restored.");
    }
  }
  if (!skipSave.value_or(false) && open.changed && !open.fullFileName.empty()) {
    if (Status saved = Save(document); !saved) return saved;
  }
  std::vector<host::DocumentHandle> gone{document};
  for (auto& [value, other] : documents_) {
    if (other.loadedFor == document) gone.push_back(host::DocumentHandle{value});
  }
  for (const host::DocumentHandle handle : gone) {
    LoadedDocument& closing = *documents_.Find(handle).value();
    for (const host::SheetHandle sheet : closing.sheets) sheetPlaces_.Remove(sheet);
    windows_.Remove(views_.Find(closing.view).value()->window);
    views_.Remove(closing.view);
    for (const host::DescriptorHandle descriptor : closing.descriptors) descriptorPlaces_.erase(descriptor.value);
    if (closing.printManager) printManagers_.Remove(closing.printManager);
    std::erase(openOrder_, handle);
  }
  for (const host::DocumentHandle handle : gone) documents_.Remove(handle);
  UpdateViewsHelper();
  return {};
}

Result<std::int32_t> StandinApplication::SheetCount(host::DocumentHandle drawing) {
  auto found = FindDocument(drawing);
  if (!found) return found.failure();
  if (found.value()->model.type != standin::DocumentType::Drawing) return InvalidArgument("Only drawings have sheets.");
  return static_cast<std::int32_t>(found.value()->sheets.size());
}

Result<host::SheetHandle> StandinApplication::Sheet(host::DocumentHandle drawing, std::int32_t number) {
  auto count = SheetCount(drawing);
  if (!count) return count.failure();
  if (number < 1 || number > count.value()) {
    return InvalidArgument("The drawing has no sheet " + std::to_string(number) + ".");
  }
  return documents_.Find(drawing).value()->sheets[static_cast<std::size_t>(number) - 1];
}

Result<host::SheetHandle> StandinApplication::ActiveSheet(host::DocumentHandle drawing) {
  auto count = SheetCount(drawing);
  if (!count) return count.failure();
  if (count.value() == 0) return Unspecified("The drawing has no sheets.");
  const LoadedDocument& open = *documents_.Find(drawing).value();
  return open.sheets[open.activeSheet];
}

Result<std::vector<host::ReferencedFile>> StandinApplication::ReferencedFiles(host::DocumentHandle document) {
  auto found = FindDocument(document);
  if (!found) return found.failure();
  LoadedDocument& open = *found.value();
  while (open.descriptors.size() < open.model.references.size()) {
    const host::DescriptorHandle descriptor{++counter_};
    descriptorPlaces_[descriptor.value] = {document, open.descriptors.size()};
    open.descriptors.push_back(descriptor);
  }
  std::vector<host::ReferencedFile> files;
  for (std::size_t i = 0; i < open.model.references.size(); ++i) {
    const std::string path = ResolvedReference(open.folder, open.model.references[i].path);
    auto referenced = ReadStandinDocument(path);
    const std::int32_t type = referenced ? static_cast<std::int32_t>(referenced.value().type) : host::kUnknownDocument;
    files.push_back({open.descriptors[i], type, path});
  }
  return files;
}

Result<host::DocumentHandle> StandinApplication::ReferencedDocument(host::DescriptorHandle descriptor) {
  if (Status running = Running(); !running) return running.failure();
  const auto place = descriptorPlaces_.find(descriptor.value);
  if (place == descriptorPlaces_.end()) return Failure{kNoSuchObject, "The file descriptor is not available."};
  auto owner = FindDocument(place->second.first);
  if (!owner) return owner.failure();
  const std::string path =
      ResolvedReference(owner.value()->folder, owner.value()->model.references[place->second.second].path);
  auto read = ReadStandinDocument(path);
  if (!read) return Unspecified("The reference to \"" + path + "\" does not resolve: " + read.failure().description);
  const host::DocumentHandle root = owner.value()->loadedFor ? owner.value()->loadedFor : place->second.first;
  const host::DocumentHandle loaded = AddDocument(std::move(read).value(), path, FolderOf(path), FileStem(path));
  documents_.Find(loaded).value()->loadedFor = root;
  return loaded;
}

Status StandinApplication::Activate(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  found.value().first->activeSheet = sheetPlaces_.Find(sheet).value()->index;
  return {};
}

Result<double> StandinApplication::Width(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  return found.value().second->widthCentimetres;
}

Result<double> StandinApplication::Height(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  return found.value().second->heightCentimetres;
}

Result<std::int32_t> StandinApplication::SizeCode(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  return found.value().second->sizeCode;
}

Result<bool> StandinApplication::HasBorder(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  return found.value().second->border;
}

Status StandinApplication::DeleteBorder(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  if (!found.value().second->border) return Unspecified("The sheet has no border.");
  found.value().second->border = false;
  found.value().first->changed = true;
  return {};
}

Result<bool> StandinApplication::HasTitleBlock(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  return found.value().second->titleBlock;
}

Status StandinApplication::DeleteTitleBlock(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  if (!found.value().second->titleBlock) return Unspecified("The sheet has no title block.");
  found.value().second->titleBlock = false;
  found.value().first->changed = true;
  return {};
}

Result<std::int32_t> StandinApplication::StatusWord(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  std::int32_t& left = found.value().first->computingReadsLeft[sheetPlaces_.Find(sheet).value()->index];
  if (left <= 0) return 0;
  // The views are done once no read is left to report them computing.
  if (--left == 0) UpdateViewsHelper();
  return host::kViewsComputingBit;
}

Result<bool> StandinApplication::ExcludedFromPrinting(host::SheetHandle sheet) {
  auto found = FindSheet(sheet);
  if (!found) return found.failure();
  return found.value().second->excludedFromPrinting;
}

}  // namespace korrin::standin
