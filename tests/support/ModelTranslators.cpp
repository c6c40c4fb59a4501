// The model host's add-ins and the transient objects their calls take.
#include <cstdio>

#include "ModelHost.h"
#include "host/ChannelFailures.h"

namespace korrin::testing {
namespace {

using namespace std::string_literals;

Failure Unspecified(std::string description) { return Failure{host::kUnspecifiedFailure, std::move(description)}; }

// The options a translator puts into the map when asked for its save-copy
// options, in its order.
std::vector<std::pair<std::string, host::OptionValue>> SaveCopyAsOptionsOf(const std::string& translator) {
  if (translator == "Autodesk STEP Translator") {
    return {{"ApplicationProtocolType", std::int32_t{2}}, {"Author", ""s}, {"Authorization", ""s},
            {"Description", ""s}, {"Organization", ""s}};
  }
  if (translator == "Autodesk IGES Translator") {
    return {{"GeometryType", "Surfaces"s}, {"SurfaceType", "143 - Bounded"s}, {"SolidFaceType", "Analytic"s}};
  }
  if (translator == "Autodesk STL Translator") return {{"Resolution", std::int32_t{1}}};
  if (translator == "Autodesk SAT Translator") return {{"AcisVersion", std::int32_t{70}}};
  return {{"Export_Acad_IniFile", ""s}};
}

void AddMissing(std::vector<std::pair<std::string, host::OptionValue>>& map,
                const std::vector<std::pair<std::string, host::OptionValue>>& options) {
  for (const auto& option : options) {
    bool present = false;
    for (const auto& entry : map) present = present || entry.first == option.first;
    if (!present) map.push_back(option);
  }
}

}  // namespace

std::string OptionText(const host::OptionValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  if (const std::int32_t* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  if (const double* real = std::get_if<double>(&value)) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", *real);
    return text;
  }
  return std::get<std::string>(value);
}

Result<const ModelHost::Translator*> ModelHost::FindTranslator(std::uint64_t addIn) const {
  if (quit_) return host::ObjectDisconnected();
  for (const Translator& translator : addIns_) {
    if (translator.handle != addIn) continue;
    if (!translator.translates) return host::MemberNotFound();
    return &translator;
  }
  return host::ObjectDisconnected();
}

Result<ModelHost::OptionEntries*> ModelHost::FindOptions(std::uint64_t map) {
  if (quit_) return host::ObjectDisconnected();
  auto found = optionMaps_.find(map);
  if (found == optionMaps_.end()) return host::ObjectDisconnected();
  return &found->second;
}

Result<std::string> ModelHost::MediumFile(std::uint64_t medium) const {
  if (quit_) return host::ObjectDisconnected();
  auto found = media_.find(medium);
  if (found == media_.end()) return host::ObjectDisconnected();
  return found->second;
}

Status ModelHost::CheckContext(std::uint64_t context) const {
  if (quit_ || !contexts_.contains(context)) return host::ObjectDisconnected();
  return {};
}

Result<std::vector<host::AddInEntry>> ModelHost::AddIns() {
  if (Status running = Running(); !running) return running.failure();
  std::vector<host::AddInEntry> entries;
  for (const Translator& addIn : addIns_) entries.push_back({host::AddInHandle{addIn.handle}, addIn.displayName});
  return entries;
}

Status ModelHost::ActivateAddIn(host::AddInHandle addIn) {
  if (Status running = Running(); !running) return running;
  for (const Translator& known : addIns_) {
    if (known.handle == addIn.value) return {};
  }
  return host::ObjectDisconnected();
}

Result<host::ContextHandle> ModelHost::NewTranslationContext(std::int32_t kind) {
  if (Status running = Running(); !running) return running.failure();
  const std::uint64_t context = NextHandle();
  contexts_[context] = kind;
  return host::ContextHandle{context};
}

Result<host::OptionMapHandle> ModelHost::NewOptionMap() {
  if (Status running = Running(); !running) return running.failure();
  const std::uint64_t map = NextHandle();
  optionMaps_[map];
  return host::OptionMapHandle{map};
}

Result<host::DataMediumHandle> ModelHost::NewDataMedium(const std::string& fileName) {
  if (Status running = Running(); !running) return running.failure();
  const std::uint64_t medium = NextHandle();
  media_[medium] = fileName;
  return host::DataMediumHandle{medium};
}

Result<std::int32_t> ModelHost::OptionCount(host::OptionMapHandle map) {
  auto options = FindOptions(map.value);
  if (!options) return options.failure();
  return static_cast<std::int32_t>(options.value()->size());
}

Result<std::string> ModelHost::OptionName(host::OptionMapHandle map, std::int32_t number) {
  auto options = FindOptions(map.value);
  if (!options) return options.failure();
  if (number < 1 || static_cast<std::size_t>(number) > options.value()->size()) return host::BadIndex();
  return (*options.value())[static_cast<std::size_t>(number) - 1].first;
}

Result<host::OptionValue> ModelHost::GetOption(host::OptionMapHandle map, const std::string& name) {
  auto options = FindOptions(map.value);
  if (!options) return options.failure();
  for (const auto& entry : *options.value()) {
    if (entry.first == name) return entry.second;
  }
  return Unspecified("No option named " + name);
}

// Setting an option the map lacks adds it, as the host's maps do.
Status ModelHost::SetOption(host::OptionMapHandle map, const std::string& name, const host::OptionValue& value) {
  auto options = FindOptions(map.value);
  if (!options) return options.failure();
  for (auto& entry : *options.value()) {
    if (entry.first == name) {
      entry.second = value;
      return {};
    }
  }
  options.value()->emplace_back(name, value);
  return {};
}

Result<bool> ModelHost::HasSaveCopyAsOptions(host::AddInHandle translator, host::DocumentHandle document,
                                             host::ContextHandle context, host::OptionMapHandle options) {
  auto found = FindTranslator(translator.value);
  if (!found) return found.failure();
  if (auto open = Find(document.value); !open) return open.failure();
  if (Status known = CheckContext(context.value); !known) return known.failure();
  auto map = FindOptions(options.value);
  if (!map) return map.failure();
  AddMissing(*map.value(), SaveCopyAsOptionsOf(found.value()->displayName));
  return true;
}

// Writes the translator's name, the document and the options it was given,
// one "name=value" line each.
Status ModelHost::SaveCopyAs(host::AddInHandle translator, host::DocumentHandle document, host::ContextHandle context,
                             host::OptionMapHandle options, host::DataMediumHandle medium) {
  auto found = FindTranslator(translator.value);
  if (!found) return found.failure();
  auto open = Find(document.value);
  if (!open) return open.failure();
  if (Status known = CheckContext(context.value); !known) return known;
  auto map = FindOptions(options.value);
  if (!map) return map.failure();
  auto file = MediumFile(medium.value);
  if (!file) return file.failure();
  if (open.value()->file.exportFailure) return *open.value()->file.exportFailure;
  if (file.value().empty()) return Unspecified("The data medium names no file");
  std::vector<std::string> lines{found.value()->displayName, "document: " + open.value()->fullFileName};
  for (const auto& [name, value] : *map.value()) lines.push_back(name + "=" + OptionText(value));
  return WriteModelFile(file.value(), lines);
}

Result<bool> ModelHost::HasOpenOptions(host::AddInHandle translator, host::DataMediumHandle medium,
                                       host::ContextHandle context, host::OptionMapHandle options) {
  auto found = FindTranslator(translator.value);
  if (!found) return found.failure();
  if (auto file = MediumFile(medium.value); !file) return file.failure();
  if (Status known = CheckContext(context.value); !known) return known.failure();
  auto map = FindOptions(options.value);
  if (!map) return map.failure();
  const std::string& name = found.value()->displayName;
  if (name == "Autodesk DWG Translator" || name == "Autodesk DXF Translator") {
    AddMissing(*map.value(), {{"Import_Acad_IniFile", ""s}});
  }
  return true;
}

// An imported file becomes a new assembly that has never been saved; a
// drawing format gives a drawing.
Result<host::DocumentHandle> ModelHost::Open(host::AddInHandle translator, host::DataMediumHandle medium,
                                             host::ContextHandle context, host::OptionMapHandle options) {
  auto found = FindTranslator(translator.value);
  if (!found) return found.failure();
  auto file = MediumFile(medium.value);
  if (!file) return file.failure();
  if (Status known = CheckContext(context.value); !known) return known.failure();
  if (auto map = FindOptions(options.value); !map) return map.failure();
  ModelFile described = files_.Find(file.value());
  if (described.openFailure) return *described.openFailure;
  if (!ModelFileExists(file.value())) return Unspecified("File not found: " + file.value());
  const std::string& name = found.value()->displayName;
  const bool drawing = name == "Autodesk DWG Translator" || name == "Autodesk DXF Translator";
  return Add("", drawing ? host::kDrawingDocument : host::kAssemblyDocument, std::move(described));
}

}  // namespace korrin::testing
