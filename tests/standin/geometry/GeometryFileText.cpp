#include "GeometryFileText.h"

#include <regex>
#include <sstream>

#include "support/RunProgram.h"

namespace korrin::testing {
namespace {

constexpr std::size_t kIgesDataColumns = 72;
constexpr std::size_t kIgesSectionColumn = 72;
constexpr std::size_t kIgesTypeWidth = 8;
constexpr const char* kAdmesh = "/usr/bin/admesh";
constexpr const char* kAssimp = "/usr/bin/assimp";

std::vector<std::string> IgesRecords(const std::string& fileText, char section) {
  std::vector<std::string> records;
  std::istringstream in(fileText);
  for (std::string line; std::getline(in, line);) {
    if (line.size() > kIgesSectionColumn && line[kIgesSectionColumn] == section) records.push_back(line);
  }
  return records;
}

// The first number after a label, as in admesh's "Number of facets : 684 684"
// (its "Original" column) or assimp's "Faces:   12".
int ReportedNumber(const std::string& output, const std::string& label) {
  const std::regex pattern(label + R"(\s*:\s*(\d+))");
  std::smatch match;
  if (!std::regex_search(output, match, pattern)) return -1;
  return std::stoi(match[1]);
}

// A point of assimp's report: "Minimum point      (-5.000000 0.000000 1.500000)".
bool ReadPoint(const std::string& output, const std::string& label, double (&point)[3]) {
  const std::regex pattern(label + R"(\s*\(\s*(\S+)\s+(\S+)\s+(\S+)\s*\))");
  std::smatch match;
  if (!std::regex_search(output, match, pattern)) return false;
  for (int axis = 0; axis < 3; ++axis) point[axis] = std::stod(match[axis + 1]);
  return true;
}

}  // namespace

std::map<int, int> IgesEntityCounts(const std::string& fileText) {
  std::map<int, int> counts;
  const std::vector<std::string> records = IgesRecords(fileText, 'D');
  for (std::size_t record = 0; record < records.size(); record += 2) {
    ++counts[std::stoi(records[record].substr(0, kIgesTypeWidth))];
  }
  return counts;
}

std::string IgesGlobalSection(const std::string& fileText) {
  std::string section;
  for (const std::string& record : IgesRecords(fileText, 'G')) section += record.substr(0, kIgesDataColumns);
  return section;
}

std::vector<std::string> StepHeaderStrings(const std::string& fileText, const std::string& statement) {
  const std::size_t start = fileText.find(statement + "(");
  if (start == std::string::npos) return {};
  std::vector<std::string> strings;
  bool quoted = false;
  std::string current;
  for (std::size_t at = start + statement.size(); at < fileText.size(); ++at) {
    const char c = fileText[at];
    if (!quoted && c == ';') break;
    if (c != '\'') {
      if (quoted) current += c;
      continue;
    }
    if (quoted && at + 1 < fileText.size() && fileText[at + 1] == '\'') {
      current += '\'';
      ++at;
    } else if (quoted) {
      strings.push_back(current);
      current.clear();
      quoted = false;
    } else {
      quoted = true;
    }
  }
  return strings;
}

std::vector<std::string> StepProductNames(const std::string& fileText) {
  std::vector<std::string> names;
  const std::regex product(R"(=\s*PRODUCT\s*\(\s*'[^']*'\s*,\s*'([^']*)')");
  for (std::sregex_iterator match(fileText.begin(), fileText.end(), product), end; match != end; ++match) {
    names.push_back((*match)[1]);
  }
  return names;
}

std::optional<AdmeshReport> RunAdmesh(const std::string& path) {
  const ProgramRun run = RunProgram(kAdmesh, {path});
  if (run.exitCode != 0) return std::nullopt;
  AdmeshReport report;
  report.output = run.out;
  std::smatch match;
  if (std::regex_search(run.out, match, std::regex(R"(File type\s*:\s*([^\n]*))"))) report.fileType = match[1];
  report.facets = ReportedNumber(run.out, "Number of facets");
  report.disconnectedFacets = ReportedNumber(run.out, "Total disconnected facets");
  report.degenerateFacets = ReportedNumber(run.out, "Degenerate facets");
  report.parts = ReportedNumber(run.out, "Number of parts");
  report.backwardsEdges = ReportedNumber(run.out, "Backwards edges");
  if (std::regex_search(run.out, match, std::regex(R"(Volume\s*:\s*([0-9.]+))"))) report.volume = std::stod(match[1]);
  return report;
}

std::optional<AssimpReport> RunAssimpInfo(const std::string& path) {
  const ProgramRun run = RunProgram(kAssimp, {"info", path, "-r"});
  if (run.exitCode != 0) return std::nullopt;
  AssimpReport report;
  report.output = run.out;
  report.nodes = ReportedNumber(run.out, "Nodes");
  report.meshes = ReportedNumber(run.out, "Meshes");
  report.vertices = ReportedNumber(run.out, "Vertices");
  report.faces = ReportedNumber(run.out, "Faces");
  // One line a mesh: "    0 (name): [vertices / bones / faces | primitive types]".
  const std::regex mesh(R"(\n\s+\d+ \([^)\n]*\): \[\d+ / \d+ / (\d+) \|)");
  for (std::sregex_iterator match(run.out.begin(), run.out.end(), mesh), end; match != end; ++match) {
    report.meshFaces.push_back(std::stoi((*match)[1]));
  }
  if (report.meshes < 0 || report.faces < 0 || !ReadPoint(run.out, "Minimum point", report.minimum) ||
      !ReadPoint(run.out, "Maximum point", report.maximum)) {
    return std::nullopt;
  }
  return report;
}

}  // namespace korrin::testing
