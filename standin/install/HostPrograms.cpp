#include "HostPrograms.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace korrin::standin {
namespace {

namespace fs = std::filesystem;

Failure PlaceFailure(const fs::path& target, const std::error_code& error) {
  return Failure{error.value(), "Cannot place the host program at \"" + target.string() + "\": " + error.message()};
}

Status PlaceAs(const fs::path& source, const fs::path& folder, const std::string& name) {
  const fs::path target = folder / name;
  std::error_code error;
  // Placed before as a link to this very program: nothing to do (a rename
  // onto another link of the same file would do nothing either).
  if (fs::equivalent(source, target, error)) return {};
  // Linked or copied beside the target first, then renamed over it.
  const fs::path placing = folder / (name + ".placing");
  fs::remove(placing, error);
  if (::link(source.c_str(), placing.c_str()) != 0 &&
      !fs::copy_file(source, placing, fs::copy_options::overwrite_existing, error)) {
    return PlaceFailure(target, error);
  }
  fs::rename(placing, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(placing, ignored);
    return PlaceFailure(target, error);
  }
  return {};
}

}  // namespace

Result<std::vector<std::string>> PlaceHostPrograms(const std::string& hostProgram, const std::string& programFolder) {
  std::vector<std::string> lines;
  for (const char* name : {kHostImageName, kViewsHelperImageName}) {
    if (Status placed = PlaceAs(hostProgram, programFolder, name); !placed) return placed.failure();
    lines.push_back(std::string(name == kHostImageName ? "Host program: " : "Views helper: ") +
                    (fs::path(programFolder) / name).string());
  }
  return lines;
}

Result<std::string> PlaceAcadProgram(const std::string& hostProgram, const std::string& acadFolder) {
  std::error_code error;
  fs::create_directories(acadFolder, error);
  if (error) return PlaceFailure(fs::path(acadFolder) / kAcadImageName, error);
  if (Status placed = PlaceAs(hostProgram, acadFolder, kAcadImageName); !placed) return placed.failure();
  return "AutoCAD program: " + (fs::path(acadFolder) / kAcadImageName).string();
}

}  // namespace korrin::standin
