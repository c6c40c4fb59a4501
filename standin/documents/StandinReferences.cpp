#include "documents/StandinReferences.h"

namespace korrin::standin {

std::filesystem::path ResolveReference(const std::filesystem::path& documentPath, const StandinReference& reference) {
  return (documentPath.parent_path() / reference.path).lexically_normal();
}

std::vector<std::filesystem::path> ResolveReferences(const std::filesystem::path& documentPath,
                                                     const StandinDocument& document) {
  std::vector<std::filesystem::path> paths;
  paths.reserve(document.references.size());
  for (const StandinReference& reference : document.references)
    paths.push_back(ResolveReference(documentPath, reference));
  return paths;
}

}  // namespace korrin::standin
