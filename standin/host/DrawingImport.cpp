// DWG and DXF files read back into drawings of the stand-in host.
#include <fstream>

#include "ContainerReader.h"
#include "DrawingDxf.h"
#include "HostPaths.h"
#include "StandinApplication.h"
#include "StandinContainer.h"
#include "StandinFailures.h"

namespace korrin::standin {
namespace {

// DXF files this host wrote before it wrote real ones are containers;
// they keep reading as such.
bool StartsAsContainer(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string signature(kContainerSignature);
  std::string start(signature.size(), '\0');
  file.read(start.data(), static_cast<std::streamsize>(start.size()));
  return file && start == signature;
}

Result<std::vector<StandinSheet>> ContainerSheets(const std::string& path, std::string_view kind) {
  auto read = ReadContainer(path);
  if (!read) return read.failure();
  const ContainerRead& container = read.value();
  if (container.kind != kind) return Unspecified("it holds " + container.kind + ", not " + std::string(kind));
  if (container.sheets.empty()) return Unspecified("it lists no sheets");
  return container.sheets;
}

}  // namespace

Result<host::DocumentHandle> StandinApplication::ImportDrawing(const std::string& path, std::string_view kind) {
  const bool realDxf = kind == "DXF" && !StartsAsContainer(path);
  auto sheets = realDxf ? ReadDrawingDxf(path) : ContainerSheets(path, kind);
  if (!sheets) {
    return Unspecified("\"" + path + "\" is not a drawing this host can read: " + sheets.failure().description);
  }
  StandinDocument drawing;
  drawing.type = standin::DocumentType::Drawing;
  drawing.release = settings_.release;
  drawing.environment = "Drawing";
  drawing.sheets = std::move(sheets).value();
  return AddDocument(std::move(drawing), "", FolderOf(path), FileStem(path));
}

}  // namespace korrin::standin
