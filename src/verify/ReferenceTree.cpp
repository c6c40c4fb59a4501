#include "verify/ReferenceTree.h"

#include "host/HostCodes.h"

namespace korrin {
namespace {

constexpr int kIndentPerLevel = 5;

// The label an unresolved reference's line ends with; empty for types that
// are not descended into.
std::string TypeLabel(std::int32_t type) {
  switch (type) {
    case host::kUnknownDocument:
      return "   Unknown documenttype";
    case host::kAssemblyDocument:
      return "   Assembly";
    case host::kDrawingDocument:
      return "   Drawing";
    case host::kPresentationDocument:
      return "   Presentation";
    case host::kForeignModelDocument:
    case host::kSatFileDocument:
      return "   Part";
    default:
      return "";
  }
}

bool IsDescendedInto(std::int32_t type) {
  return type == host::kUnknownDocument || type == host::kAssemblyDocument || type == host::kDrawingDocument ||
         type == host::kPresentationDocument || type == host::kForeignModelDocument || type == host::kSatFileDocument;
}

bool IsKnownType(std::int32_t type) { return type >= host::kUnknownDocument && type <= host::kSatFileDocument; }

}  // namespace

Result<bool> ReferenceTree::LogReferenceTree(host::DocumentHandle document, const std::string& fileName) {
  level_ = 0;
  above_ = {PathKey(fileName, names_)};
  return Walk(document);
}

Result<bool> ReferenceTree::Walk(host::DocumentHandle document) {
  auto files = reader_.ReferencedFiles(document);
  if (!files) return files.failure();
  if (files.value().empty()) {
    logLine_("No referenced files...");
    return true;
  }
  ++level_;
  // Any reference that failed fails the tree, whatever came after it.
  bool resolved = false;
  bool failed = false;
  for (const host::ReferencedFile& file : files.value()) {
    logLine_(std::string(static_cast<std::size_t>(level_ * kIndentPerLevel), ' ') + file.fullFileName);
    const std::int32_t type = file.referencedDocumentType;
    if (type == host::kPartDocument || !IsKnownType(type)) {
      resolved = true;
    } else if (IsDescendedInto(type)) {
      auto below = WalkReference(file);
      if (!below) return below.failure();
      if (below.value()) {
        resolved = true;
      } else {
        logLine_("Error resolving: " + file.fullFileName + TypeLabel(type));
        failed = true;
      }
    }
    events_.Yield();
  }
  --level_;
  return resolved && !failed;
}

Result<bool> ReferenceTree::WalkReference(const host::ReferencedFile& file) {
  const std::string key = PathKey(file.fullFileName, names_);
  if (above_.contains(key)) {
    logLine_("Circular reference: " + file.fullFileName + " refers back to itself through its references");
    return false;
  }
  auto referenced = reader_.ReferencedDocument(file.descriptor);
  if (!referenced) return referenced.failure();
  above_.insert(key);
  auto below = Walk(referenced.value());
  above_.erase(key);
  return below;
}

}  // namespace korrin
