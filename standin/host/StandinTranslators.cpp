// The translator add-ins of the stand-in host and the models they work on.
#include <algorithm>

#include "DrawingDxf.h"
#include "DrawingExport.h"
#include "HostPaths.h"
#include "StandinApplication.h"
#include "StandinContainer.h"
#include "StandinFailures.h"
#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "host/HostCodes.h"
#include "settings/TextCase.h"

namespace korrin::standin {
namespace {

// Assemblies nest; a damaged tree could nest for ever.
constexpr std::size_t kDeepestAssembly = 32;

const host::OptionValue* Entry(const std::vector<std::pair<std::string, host::OptionValue>>& options,
                               const std::string& name) {
  for (const auto& [entryName, value] : options) {
    if (entryName == name) return &value;
  }
  return nullptr;
}

std::string TextEntry(const std::vector<std::pair<std::string, host::OptionValue>>& options, const std::string& name) {
  const host::OptionValue* value = Entry(options, name);
  return value != nullptr ? OptionText(*value) : "";
}

std::optional<std::int32_t> NumberEntry(const std::vector<std::pair<std::string, host::OptionValue>>& options,
                                        const std::string& name) {
  const host::OptionValue* value = Entry(options, name);
  if (value == nullptr) return std::nullopt;
  if (const auto* number = std::get_if<std::int32_t>(value)) return *number;
  if (const auto* real = std::get_if<double>(value)) return static_cast<std::int32_t>(*real);
  return std::nullopt;
}

Result<StepSettings> StepSettingsOf(const std::vector<std::pair<std::string, host::OptionValue>>& options) {
  constexpr std::int32_t kConfigurationControlled = 2;
  constexpr std::int32_t kAutomotive = 5;
  StepSettings settings;
  const auto protocol = NumberEntry(options, "ApplicationProtocolType");
  if (protocol == kConfigurationControlled) {
    settings.protocol = StepSettings::Protocol::ConfigurationControlledDesign;
  } else if (protocol == kAutomotive) {
    settings.protocol = StepSettings::Protocol::AutomotiveDesign;
  } else {
    return InvalidArgument("ApplicationProtocolType must be 2 (configuration controlled design) or 5 (automotive "
                           "design).");
  }
  settings.author = TextEntry(options, "Author");
  settings.authorization = TextEntry(options, "Authorization");
  settings.description = TextEntry(options, "Description");
  settings.organization = TextEntry(options, "Organization");
  return settings;
}

Result<IgesSettings> IgesSettingsOf(const std::vector<std::pair<std::string, host::OptionValue>>& options) {
  IgesSettings settings;
  const std::string geometry = ToUpperAscii(TextEntry(options, "GeometryType"));
  if (geometry == "SURFACES") {
    settings.geometry = IgesSettings::Geometry::Surfaces;
  } else if (geometry == "SOLIDS") {
    settings.geometry = IgesSettings::Geometry::Solids;
  } else if (geometry == "WIREFRAME") {
    settings.geometry = IgesSettings::Geometry::Wireframe;
  } else {
    return InvalidArgument("GeometryType must be Surfaces, Solids or Wireframe.");
  }
  const std::string surface = ToUpperAscii(TextEntry(options, "SurfaceType"));
  settings.surfaceType = surface.starts_with("144") ? IgesSettings::SurfaceType::Trimmed
                                                    : IgesSettings::SurfaceType::Bounded;
  const std::string faces = ToUpperAscii(TextEntry(options, "SolidFaceType"));
  settings.solidFaces = faces == "NURBS" ? IgesSettings::SolidFaces::Nurbs : IgesSettings::SolidFaces::Analytic;
  return settings;
}

bool IsModel(standin::DocumentType type) { return type == standin::DocumentType::Part || type == standin::DocumentType::Assembly; }

// `above` holds the files of the assemblies on the way down, the top one
// first. A file among them is a reference cycle, which the format allows:
// the walk ends there rather than going round to the depth bound, which
// with two references back per turn would take billions of reads.
Result<ModelNode> ModelOfFile(const std::string& path, std::optional<StandinPlacement> placement,
                              std::vector<std::string>& above) {
  if (std::find(above.begin(), above.end(), path) != above.end()) {
    return Unspecified("The assembly refers to itself through \"" + path + "\".");
  }
  if (above.size() > kDeepestAssembly) {
    return Unspecified("The assembly nests deeper than " + std::to_string(kDeepestAssembly) + " levels.");
  }
  auto read = ReadStandinDocument(path);
  if (!read) return Unspecified("A component cannot be read: " + read.failure().description);
  const StandinDocument& document = read.value();
  ModelNode node{FileStem(path), document.geometry, std::move(placement), {}};
  if (document.type == standin::DocumentType::Assembly) {
    above.push_back(path);
    for (const StandinReference& reference : document.references) {
      auto component = ModelOfFile(ResolvedReference(FolderOf(path), reference.path), reference.placement, above);
      if (!component) return component.failure();
      node.components.push_back(std::move(component).value());
    }
    above.pop_back();
  } else if (document.type != standin::DocumentType::Part) {
    return InvalidArgument("\"" + path + "\" is no part or assembly.");
  }
  return node;
}

}  // namespace

Result<StandinApplication::AddInState*> StandinApplication::FindTranslator(host::AddInHandle translator) {
  if (Status running = Running(); !running) return running.failure();
  auto addIn = addIns_.Find(translator);
  if (!addIn) return addIn.failure();
  if (!addIn.value()->description.format) {
    return Unspecified("\"" + addIn.value()->description.displayName + "\" is no translator.");
  }
  return addIn;
}

void StandinApplication::FillOptions(OptionEntries& entries, const std::vector<TranslatorOption>& options) const {
  for (const TranslatorOption& option : options) {
    if (Entry(entries, option.name) == nullptr) entries.emplace_back(option.name, option.initial);
  }
}

Status StandinApplication::ExportDrawingDxf(const LoadedDocument& drawing, const OptionEntries& options,
                                            const std::string& path) const {
  auto views = ProjectedModels(settings_.geometry, ReferencedModels(drawing));
  if (!views) return views.failure();
  std::vector<DrawingSheetPicture> sheets;
  const std::size_t count = drawing.model.sheets.size();
  for (std::size_t index = 0; index < count; ++index) {
    sheets.push_back({drawing.name, drawing.model.sheets[index], index + 1, count, views.value()});
  }
  return WriteDrawingDxf(path, sheets, DxfVersionOf(TextEntry(options, kAcadSettingsOption)));
}

Result<ModelNode> StandinApplication::ModelOf(const LoadedDocument& document) const {
  if (document.importedModel) return *document.importedModel;
  if (document.model.type == standin::DocumentType::Part) return ModelNode{document.name, document.model.geometry, std::nullopt, {}};
  if (document.model.type != standin::DocumentType::Assembly) return InvalidArgument("Only parts and assemblies have a model.");
  ModelNode root{document.name, "", std::nullopt, {}};
  std::vector<std::string> above{document.fullFileName};
  for (const StandinReference& reference : document.model.references) {
    auto component = ModelOfFile(ResolvedReference(document.folder, reference.path), reference.placement, above);
    if (!component) return component.failure();
    root.components.push_back(std::move(component).value());
  }
  return root;
}

std::vector<ModelNode> StandinApplication::ReferencedModels(const LoadedDocument& drawing) const {
  std::vector<ModelNode> models;
  for (const StandinReference& reference : drawing.model.references) {
    std::vector<std::string> above{drawing.fullFileName};
    auto model = ModelOfFile(ResolvedReference(drawing.folder, reference.path), std::nullopt, above);
    if (model) models.push_back(std::move(model).value());
  }
  return models;
}

Result<host::DocumentHandle> StandinApplication::ImportModel(const std::string& path) {
  if (settings_.geometry == nullptr) return Unspecified("This stand-in host has no geometry translators.");
  const std::string extension = UpperExtension(path);
  GeometryExchange& geometry = *settings_.geometry;
  Result<ImportResult> imported = extension == "STL"            ? geometry.ReadStl(path)
                                   : extension.starts_with("IG") ? geometry.ReadIges(path, settings_.igesImport)
                                                                 : geometry.ReadStep(path, settings_.stepImport);
  if (!imported) return imported.failure();
  ModelNode& root = imported.value().root;
  StandinDocument model;
  model.type = root.isAssembly() ? standin::DocumentType::Assembly : standin::DocumentType::Part;
  model.release = settings_.release;
  model.environment = root.isAssembly() ? "Assembly" : "Part";
  model.geometry = root.geometry;
  const host::DocumentHandle handle = AddDocument(std::move(model), "", FolderOf(path), FileStem(path));
  LoadedDocument& document = *documents_.Find(handle).value();
  if (root.isAssembly()) document.importedModel = std::move(root);
  return handle;
}

Result<bool> StandinApplication::HasSaveCopyAsOptions(host::AddInHandle translator, host::DocumentHandle document,
                                                      host::ContextHandle context, host::OptionMapHandle options) {
  auto addIn = FindTranslator(translator);
  if (!addIn) return addIn.failure();
  auto found = FindDocument(document);
  if (!found) return found.failure();
  auto kind = contexts_.Find(context);
  if (!kind) return kind.failure();
  auto map = optionMaps_.Find(options);
  if (!map) return map.failure();
  // Options are offered for saving to a file only.
  if (*kind.value() != host::kFileBrowseContext) return false;
  FillOptions(*map.value(), SaveCopyAsOptions(*addIn.value()->description.format));
  return true;
}

Status StandinApplication::SaveCopyAs(host::AddInHandle translator, host::DocumentHandle document,
                                      host::ContextHandle context, host::OptionMapHandle options,
                                      host::DataMediumHandle medium) {
  auto addIn = FindTranslator(translator);
  if (!addIn) return addIn.failure();
  auto found = FindDocument(document);
  if (!found) return found.failure();
  if (auto kind = contexts_.Find(context); !kind) return kind.failure();
  auto map = optionMaps_.Find(options);
  if (!map) return map.failure();
  auto file = media_.Find(medium);
  if (!file) return file.failure();
  if (file.value()->empty()) return InvalidArgument("The data medium names no file.");
  LoadedDocument& open = *found.value();
  if (Status faulted = SaveFaults(open.model.faults); !faulted) return faulted;
  if (Status written = Translate(*addIn.value(), open, *map.value(), *file.value()); !written) return written;
  BusyFor(open.model.faults.busyAfterSaveMilliseconds);
  return {};
}

Status StandinApplication::Translate(const AddInState& translator, LoadedDocument& document,
                                     const OptionEntries& options, const std::string& path) {
  const TranslatorFormat format = *translator.description.format;
  const std::string formatName(FormatName(format));
  const standin::DocumentType type = document.model.type;
  switch (format) {
    case TranslatorFormat::Dxf:
      if (type != standin::DocumentType::Drawing) return InvalidArgument("The DXF translator saves drawings only.");
      return ExportDrawingDxf(document, options, path);
    case TranslatorFormat::Dwg:
      if (type != standin::DocumentType::Drawing) return InvalidArgument("The DWG translator saves drawings only.");
      [[fallthrough]];
    case TranslatorFormat::Dwf: {
      ContainerContent content{formatName, document.fullFileName, "", {}};
      content.documentType = type == standin::DocumentType::Drawing ? "drawing" : type == standin::DocumentType::Part ? "part" : "model";
      for (const auto& [name, value] : options) content.options.emplace_back(name, OptionText(value));
      if (format == TranslatorFormat::Dwf) return WriteContainer(path, content);
      return WriteDrawingExport(format, std::move(content), document.model.sheets, path);
    }
    case TranslatorFormat::Sat: {
      if (!IsModel(type)) return InvalidArgument("The SAT translator saves parts and assemblies only.");
      ContainerContent content{formatName, document.fullFileName, type == standin::DocumentType::Part ? "part" : "assembly",
                               {{"SaveACISVersion", settings_.acisVersion}}};
      return WriteContainer(path, content);
    }
    case TranslatorFormat::Iges:
    case TranslatorFormat::Step:
    case TranslatorFormat::Stl:
      break;
  }
  if (!IsModel(type)) return InvalidArgument("The " + formatName + " translator saves parts and assemblies only.");
  if (settings_.geometry == nullptr) return Unspecified("This stand-in host has no geometry translators.");
  auto model = ModelOf(document);
  if (!model) return model.failure();
  if (format == TranslatorFormat::Step) {
    auto step = StepSettingsOf(options);
    if (!step) return step.failure();
    return settings_.geometry->WriteStep(model.value(), step.value(), path);
  }
  if (format == TranslatorFormat::Iges) {
    auto iges = IgesSettingsOf(options);
    if (!iges) return iges.failure();
    return settings_.geometry->WriteIges(model.value(), iges.value(), path);
  }
  const auto level = NumberEntry(options, "Resolution");
  if (!level || *level < 0 || *level > 2) return InvalidArgument("Resolution must be 0 (high), 1 (medium) or 2 (low).");
  return settings_.geometry->WriteStl(model.value(), StlFineness{settings_.stlResolutions[*level]}, path);
}

Result<bool> StandinApplication::HasOpenOptions(host::AddInHandle translator, host::DataMediumHandle medium,
                                                host::ContextHandle context, host::OptionMapHandle options) {
  auto addIn = FindTranslator(translator);
  if (!addIn) return addIn.failure();
  if (auto file = media_.Find(medium); !file) return file.failure();
  auto kind = contexts_.Find(context);
  if (!kind) return kind.failure();
  auto map = optionMaps_.Find(options);
  if (!map) return map.failure();
  const auto& offered = OpenOptions(*addIn.value()->description.format);
  if (*kind.value() != host::kFileBrowseContext || offered.empty()) return false;
  FillOptions(*map.value(), offered);
  return true;
}

Result<host::DocumentHandle> StandinApplication::Open(host::AddInHandle translator, host::DataMediumHandle medium,
                                                      host::ContextHandle context, host::OptionMapHandle options) {
  auto addIn = FindTranslator(translator);
  if (!addIn) return addIn.failure();
  const auto& format = addIn.value()->description.format;
  auto file = media_.Find(medium);
  if (!file) return file.failure();
  if (auto kind = contexts_.Find(context); !kind) return kind.failure();
  if (auto map = optionMaps_.Find(options); !map) return map.failure();
  const std::string& path = *file.value();
  Result<host::DocumentHandle> opened =
      Unspecified("The stand-in host reads no " + std::string(FormatName(*format)) + " files: \"" + path + "\"");
  switch (*format) {
    case TranslatorFormat::Iges:
    case TranslatorFormat::Step:
    case TranslatorFormat::Stl:
      opened = ImportModel(path);
      break;
    case TranslatorFormat::Dwg:
    case TranslatorFormat::Dxf:
      opened = ImportDrawing(path, FormatName(*format));
      break;
    default:
      break;
  }
  if (opened) openOrder_.push_back(opened.value());
  return opened;
}

}  // namespace korrin::standin
