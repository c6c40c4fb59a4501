// DWG and DXF files read back into drawings of the stand-in host.
#include "ContainerReader.h"
#include "HostPaths.h"
#include "StandinApplication.h"
#include "StandinFailures.h"

namespace korrin::standin {

Result<host::DocumentHandle> StandinApplication::ImportDrawing(const std::string& path, std::string_view kind) {
  const auto unreadable = [&path](const std::string& reason) {
    return Unspecified("\"" + path + "\" is not a drawing this host can read: " + reason);
  };
  auto read = ReadContainer(path);
  if (!read) return unreadable(read.failure().description);
  const ContainerRead& container = read.value();
  if (container.kind != kind) {
    return unreadable("it holds " + container.kind + ", not " + std::string(kind));
  }
  if (container.sheets.empty()) return unreadable("it lists no sheets");
  StandinDocument drawing;
  drawing.type = standin::DocumentType::Drawing;
  drawing.release = settings_.release;
  drawing.environment = "Drawing";
  drawing.sheets = container.sheets;
  return AddDocument(std::move(drawing), "", FolderOf(path), FileStem(path));
}

}  // namespace korrin::standin
