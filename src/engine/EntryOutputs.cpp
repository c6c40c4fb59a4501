#include "engine/EntryOutputs.h"

#include <filesystem>
#include <optional>

#include "host/FileExists.h"
#include "settings/PathConversion.h"
#include "settings/TextCase.h"

namespace korrin {

namespace {

std::optional<std::filesystem::file_time_type> ModifiedAt(const std::string& path) {
  std::error_code error;
  const auto time = std::filesystem::last_write_time(PathFromText(path), error);
  if (error) return std::nullopt;
  return time;
}

}  // namespace

std::string OutputExtension(const std::string& exportPattern) {
  if (!exportPattern.starts_with("*.")) return "";
  const std::string extension = ToLowerAscii(exportPattern.substr(2));
  // The translators write IGES and STEP under their three-letter names.
  if (extension == "iges" || extension == "ige") return "igs";
  if (extension == "step" || extension == "ste") return "stp";
  return extension;
}

std::vector<std::string> ExistingOutputs(const std::string& outputBase, const std::string& extension) {
  std::vector<std::string> outputs;
  if (extension.empty()) return outputs;
  if (const std::string whole = outputBase + "." + extension; FileExists(whole)) outputs.push_back(whole);
  for (int sheet = 1;; ++sheet) {
    const std::string file = outputBase + "_" + std::to_string(sheet) + "." + extension;
    if (!FileExists(file)) break;
    outputs.push_back(file);
  }
  return outputs;
}

std::vector<std::string> ExistingImportOutputs(const std::string& outputBase) {
  std::vector<std::string> outputs;
  for (const char* extension : {".ipt", ".iam", ".idw"}) {
    if (FileExists(outputBase + extension)) outputs.push_back(outputBase + extension);
  }
  return outputs;
}

bool AllNewerThan(const std::vector<std::string>& outputs, const std::string& source) {
  const auto sourceTime = ModifiedAt(source);
  if (outputs.empty() || !sourceTime) return false;
  for (const std::string& output : outputs) {
    const auto time = ModifiedAt(output);
    if (!time || *time <= *sourceTime) return false;
  }
  return true;
}

std::vector<std::string> UpToDateOutputs(const std::string& entry, const std::string& outputBase,
                                         const std::string& exportPattern) {
  std::vector<std::string> outputs = exportPattern == "*.IAM"
                                         ? ExistingImportOutputs(outputBase)
                                         : ExistingOutputs(outputBase, OutputExtension(exportPattern));
  if (!AllNewerThan(outputs, entry)) outputs.clear();
  return outputs;
}

}  // namespace korrin
