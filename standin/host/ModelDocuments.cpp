#include "ModelDocuments.h"

#include "HostPaths.h"
#include "documents/StandinDocumentWriter.h"

namespace korrin::standin {

Result<std::vector<StandinReference>> WriteComponentDocuments(const ModelNode& assembly, const std::string& folder,
                                                              const StandinRelease& release) {
  std::vector<StandinReference> references;
  for (const ModelNode& component : assembly.components) {
    StandinDocument document;
    document.release = release;
    std::string name = component.name.empty() ? "component" : component.name;
    if (component.isAssembly()) {
      document.type = DocumentType::Assembly;
      document.environment = "Assembly";
      auto children = WriteComponentDocuments(component, folder, release);
      if (!children) return children.failure();
      document.references = std::move(children).value();
      name += ".iam";
    } else {
      document.type = DocumentType::Part;
      document.environment = "Part";
      document.geometry = component.geometry;
      name += ".ipt";
    }
    if (Status written = WriteStandinDocument(ResolvedReference(folder, name), document); !written) {
      return written.failure();
    }
    references.push_back(StandinReference{name, component.placement});
  }
  return references;
}

}  // namespace korrin::standin
