// The geometry kernel's share of an export run, alone: reads each stand-in
// part's geometry and writes it as STEP, or meshes it and writes STL, with
// the settings a run of the shipped export template gives the host, and
// nothing else (no host, no checks, no log). The kernel comparison times
// korrin-batch against it.
//
//   korrin_bare_kernel_loop step|stl|brep SOURCE_FOLDER OUTPUT_FOLDER
//
// brep writes each part's geometry as it is, a .brep file, for other
// programs to convert the same shapes. Prints how many files it wrote;
// exits 1 at the first part that fails.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "OcctGeometryExchange.h"
#include "documents/StandinDocumentReader.h"


namespace {

namespace fs = std::filesystem;
using namespace korrin::standin;

// The shipped template's choices: automotive design (its
// STPApplicationProtocol is False) with its author, and STLValue 2, which a run hands the translator less one: the
// medium resolution, which the installation sets to 6300.
StepSettings TemplateStepSettings() {
  StepSettings settings;
  settings.protocol = StepSettings::Protocol::AutomotiveDesign;
  settings.author = "Ivdefault";
  return settings;
}
constexpr StlFineness kTemplateStlFineness{6300};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::string kind = arguments.empty() ? "" : arguments[0];
  if (arguments.size() != 3 || (kind != "step" && kind != "stl" && kind != "brep")) {
    std::fprintf(stderr, "usage: korrin_bare_kernel_loop step|stl|brep SOURCE_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  std::vector<fs::path> parts;
  for (const fs::directory_entry& entry : fs::directory_iterator(arguments[1])) {
    if (entry.path().extension() == ".ipt") parts.push_back(entry.path());
  }
  std::sort(parts.begin(), parts.end());
  OcctGeometryExchange geometry;
  const StepSettings stepSettings = TemplateStepSettings();
  for (const fs::path& part : parts) {
    auto document = ReadStandinDocument(part);
    if (!document) {
      std::fprintf(stderr, "%s: %s\n", part.c_str(), document.failure().description.c_str());
      return 1;
    }
    const ModelNode model{part.stem().string(), document.value().geometry, std::nullopt, {}};
    const std::string extension = kind == "step" ? ".stp" : "." + kind;
    const fs::path output = fs::path(arguments[2]) / (part.stem().string() + extension);
    korrin::Status written;
    if (kind == "step") {
      written = geometry.WriteStep(model, stepSettings, output.string());
    } else if (kind == "stl") {
      written = geometry.WriteStl(model, kTemplateStlFineness, output.string());
    } else if (!(std::ofstream(output, std::ios::binary) << document.value().geometry)) {
      written = korrin::Failure{1, "cannot be written"};
    }
    if (!written) {
      std::fprintf(stderr, "%s: %s\n", output.c_str(), written.failure().description.c_str());
      return 1;
    }
  }
  std::printf("%zu files written\n", parts.size());
  return 0;
}
