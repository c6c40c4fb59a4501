#include "StandinTool.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <ostream>

#include "HostPrograms.h"
#include "SampleSet.h"
#include "StandinInstallation.h"
#include "platform/SystemPaths.h"
#include "platform/linux/SqliteRegistry.h"
#include "settings/PathText.h"

namespace korrin::standin {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongUsage = 2;

// Samples are saved by the release installed by default.
constexpr StandinRelease kSampleRelease{7, 0};

constexpr const char* kUsage =
    "Usage:\n"
    "  korrin-standin install [--version 5.2|5.3|6.0|7.0] [--root DIR] [--without-autocad]\n"
    "      installs the stand-in host (default version 7.0). With --root everything,\n"
    "      the registry included, goes into DIR; without it the folders go into the\n"
    "      user's data folder and the registry is the user's. --without-autocad\n"
    "      leaves the AutoCAD installation out.\n"
    "  korrin-standin samples DIR\n"
    "      writes the sample documents (parts, assemblies, drawings, files to\n"
    "      import, a list file) into DIR.\n";

// The path made absolute; as given when the working folder is gone.
std::string AbsolutePath(const std::string& text) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(text, error);
  return error ? text : absolute.lexically_normal().string();
}

struct InstallRequest {
  std::string version = kDefaultInstallVersion;
  std::optional<std::string> root;
  AutocadChoice autocad = AutocadChoice::Include;
};

std::optional<InstallRequest> ParseInstall(const std::vector<std::string>& arguments) {
  InstallRequest request;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--without-autocad") {
      request.autocad = AutocadChoice::LeaveOut;
      continue;
    }
    if (i + 1 == arguments.size()) return std::nullopt;
    if (arguments[i] == "--version") {
      request.version = arguments[++i];
    } else if (arguments[i] == "--root") {
      request.root = AbsolutePath(arguments[++i]);
      if (!request.root->empty() && request.root->size() > 1 && request.root->back() == '/') request.root->pop_back();
    } else {
      return std::nullopt;
    }
  }
  return request;
}

std::string DefaultRoot() {
  // The user's registry folder is ".../korrin/registry"; the stand-in's
  // folders go beside it.
  return (std::filesystem::path(RegistryFolder()).parent_path() / "standin").string();
}

int Install(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  const auto request = ParseInstall(arguments);
  if (!request) {
    err << kUsage;
    return kWrongUsage;
  }
  const std::string root = request->root.value_or(DefaultRoot());
  const std::string registryFolder = request->root ? JoinPath(root, "registry") : RegistryFolder();
  SqliteRegistry registry(registryFolder);
  const InstallPlaces places = PlacesUnder(root);
  auto installed = InstallStandin(registry, places, request->version, request->autocad);
  if (!installed) {
    err << "korrin-standin: " << installed.failure().description << "\n";
    return kFailed;
  }
  // The host program is built beside this tool.
  auto placed = PlaceHostPrograms((system_paths::ExecutablePath().parent_path() / "korrin-host").string(),
                                 places.programFolder);
  if (!placed) {
    err << "korrin-standin: " << placed.failure().description << "\n";
    return kFailed;
  }
  if (request->autocad == AutocadChoice::Include) {
    auto acad = PlaceAcadProgram((system_paths::ExecutablePath().parent_path() / "korrin-host").string(),
                                 places.acadFolder);
    if (!acad) {
      err << "korrin-standin: " << acad.failure().description << "\n";
      return kFailed;
    }
    placed.value().push_back(acad.value());
  }
  for (const std::string& line : installed.value()) out << line << "\n";
  for (const std::string& line : placed.value()) out << line << "\n";
  out << "Registry folder: " << registryFolder << "\n";
  if (request->root) out << "Point Korrin at this host with:\n  KORRIN_REGISTRY=" << registryFolder << "\n";
  return kDone;
}

int Samples(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 2) {
    err << kUsage;
    return kWrongUsage;
  }
  auto written = WriteSampleSet(AbsolutePath(arguments[1]), kSampleRelease);
  if (!written) {
    err << "korrin-standin: " << written.failure().description << "\n";
    return kFailed;
  }
  for (const std::string& file : written.value()) out << file << "\n";
  out << written.value().size() << " sample files written\n";
  return kDone;
}

}  // namespace

int RunStandinTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (!arguments.empty() && arguments[0] == "install") return Install(arguments, out, err);
  if (!arguments.empty() && arguments[0] == "samples") return Samples(arguments, out, err);
  err << kUsage;
  return kWrongUsage;
}

}  // namespace korrin::standin
