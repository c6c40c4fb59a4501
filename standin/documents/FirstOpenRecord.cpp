#include "FirstOpenRecord.h"

#include <cerrno>
#include <vector>

#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

constexpr const char* kSignature = "KORRIN STAND-IN FIRST OPENS";

}  // namespace

std::set<std::string> FirstOpenRecord::ReadFile() const {
  std::set<std::string> names;
  if (file_.empty()) return names;
  const TextFileRead read = ReadTextFile(file_);
  // A missing or foreign file records nothing: the fault then fires again,
  // which a test sees, rather than a document never failing.
  if (read.lines.empty() || read.lines.front() != kSignature) return names;
  for (std::size_t i = 1; i < read.lines.size(); ++i) {
    if (!read.lines[i].empty()) names.insert(read.lines[i]);
  }
  return names;
}

bool FirstOpenRecord::Contains(const std::string& fullFileName) const {
  return names_.contains(fullFileName) || ReadFile().contains(fullFileName);
}

Status FirstOpenRecord::Add(const std::string& fullFileName) {
  names_.insert(fullFileName);
  if (file_.empty()) return {};
  if (fullFileName.find_first_of("\r\n") != std::string::npos) {
    return Failure{EINVAL, "The name \"" + fullFileName + "\" holds a line break; " + file_.string() +
                               " cannot record it."};
  }
  std::set<std::string> names = ReadFile();
  names.insert(fullFileName);
  std::vector<std::string> lines{kSignature};
  lines.insert(lines.end(), names.begin(), names.end());
  return WriteTextFile(file_, lines);
}

Status StartFirstOpenRecord(const std::filesystem::path& file) { return WriteTextFile(file, {kSignature}); }

}  // namespace korrin::standin
