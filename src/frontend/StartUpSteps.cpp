#include "frontend/StartUpSteps.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "host/Apprentice.h"
#include "host/FileExists.h"
#include "host/HostInstallation.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

constexpr const char* kDefaultProject = "default.ipj";

void RemoveEvery(std::string& text, std::string_view part) {
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at)) text.erase(at, part.size());
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(PathFromText(path), error);
}

// The host's own system lists a folder in name order; so does this.
std::optional<std::string> FirstProjectIn(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(PathFromText(folder), error), end; !error && it != end; it.increment(error)) {
    const std::string name = TextFromPath(it->path().filename());
    if (EndsWithIgnoringCase(name, ".ipj") && it->is_regular_file(error)) names.push_back(name);
  }
  if (names.empty()) return std::nullopt;
  return *std::min_element(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareIgnoringCase(a, b) < 0;
  });
}

}  // namespace

std::string ProgramCaption(const std::string& registryVersionTag) {
  std::string number = registryVersionTag;
  RemoveEvery(number, "RegistryVersion");
  if (number == "5.2") number = "5.3";
  return "Korrin for Inventor " + number;
}

std::string ApprenticeSelfTest(host::HostConnector& connector, const std::string& programFolder) {
  const std::string path = WithTrailingBackslash(programFolder) + kSelfTestDocument;
  if (!FileExists(path)) {
    return "Could not open: " + path + " to verify Apprenticeserver\r" +
           "This file should be present in the installationdirectory of Korrin\r" +
           "You may create a new file with this name ( logo.ipt ) and put it in this directory\r\r" +
           "Korrin may still function properly though";
  }
  auto reader = connector.NewApprentice();
  if (!reader) return reader.failure().description;
  auto opened = reader.value()->Open(path);
  (void)reader.value()->CloseAll();
  return opened ? "" : opened.failure().description;
}

std::string ApprenticeFailureMessage(const std::string& failure) {
  return "Apprentice failed: " + failure + "\r" +
         "If you have changed Inventorversion, while Korrin was running, shut down Korrin, and try again, or\r" +
         "If You have changed Inventorversion then:\r" +
         "  Shut down the running Inventor. Start it again and just open or create a file, close this document "
         "again\r" +
         "  Exit and restart Inventor and now try Korrin again";
}

std::optional<std::string> ExportFolderAtStart(const ProgramSettings& settings, const std::string& tempFolder) {
  if (settings.BatchExportToFolder == "0") return std::nullopt;
  if (IsFolder(settings.BatchlastExportToFolder)) return settings.BatchlastExportToFolder;
  return tempFolder;
}

std::string ProjectFileAtStart(Registry& registry, const std::string& registryVersionTag,
                               const std::string& installFolder) {
  RegistryValue value;
  const bool read = registry.ReadRegistryValue(
      RegistryRoot::CurrentUser, HostUserKey(registryVersionTag, kExternalReferencesKey), kActiveProjectValueName,
      value);
  const std::string* text = std::get_if<std::string>(&value);
  const std::string defaultProject = installFolder.empty() ? "" : WithTrailingBackslash(installFolder) + kDefaultProject;
  if (!read || text == nullptr) {
    const std::string projectFolder = HostProjectFolder(registry, registryVersionTag);
    if (auto first = FirstProjectIn(projectFolder)) return WithTrailingBackslash(projectFolder) + *first;
    return FileExists(defaultProject) ? defaultProject : "";
  }
  if (text->empty()) return FileExists(defaultProject) ? defaultProject : "";
  return *text;
}

std::optional<std::string> FirstEntryContaining(const std::vector<std::string>& entries, std::string_view text) {
  for (const std::string& entry : entries) {
    if (entry.find(text) != std::string::npos) return entry;
  }
  return std::nullopt;
}

}  // namespace korrin
