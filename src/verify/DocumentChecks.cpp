#include "verify/DocumentChecks.h"

#include <set>

#include "host/HostCodes.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

bool IsHostDocument(const std::string& path) {
  if (path.size() < 3) return false;
  const std::string last = ToUpperAscii(path.substr(path.size() - 3));
  return last == "IPT" || last == "IAM" || last == "IDW" || last == "IDE" || last == "IPN";
}

class ReferenceCheck {
 public:
  ReferenceCheck(host::Application& host, const LogLineFunction& logLine, std::optional<Failure>& pending)
      : host_(host), logLine_(logLine), pending_(pending) {}

  bool Walk(host::DocumentHandle document) {
    documentsAbove_.insert(document.value);
    const bool resolves = Resolves(document);
    documentsAbove_.erase(document.value);
    return resolves;
  }

 private:
  bool Resolves(host::DocumentHandle document) {
    auto files = host_.documents().ReferencedFiles(document);
    if (!files) {
      Keep(files.failure());
      return true;
    }
    bool result = true;
    for (const host::ReferencedFile& file : files.value()) {
      if (file.referencedDocumentType == host::kUnknownDocument) {
        logLine_("Error resolving: " + file.fullFileName);
        result = false;
      } else if (file.referencedDocumentType == host::kAssemblyDocument ||
                 file.referencedDocumentType == host::kPresentationDocument) {
        if (!ResolvesBelow(file)) {
          logLine_("Error resolving: " + file.fullFileName);
          result = false;
        }
      }
    }
    return result;
  }

  // A damaged document can refer back to one above it: a file or document
  // already on the way down is a cycle, and the tree does not resolve. A
  // file's name repeats exactly around a cycle, so the names end the walk
  // even on a host that hands out a new handle for every visit; a valid
  // tree is walked to any depth.
  bool ResolvesBelow(const host::ReferencedFile& file) {
    if (namesAbove_.contains(file.fullFileName)) return false;
    auto referenced = host_.documents().ReferencedDocument(file.descriptor);
    if (!referenced) {
      Keep(referenced.failure());
      return false;
    }
    if (documentsAbove_.contains(referenced.value().value)) return false;
    namesAbove_.insert(file.fullFileName);
    const bool resolves = Walk(referenced.value());
    namesAbove_.erase(file.fullFileName);
    return resolves;
  }

  void Keep(const Failure& failure) {
    if (!pending_) pending_ = failure;
  }

  host::Application& host_;
  const LogLineFunction& logLine_;
  std::optional<Failure>& pending_;
  std::set<std::string> namesAbove_;
  std::set<std::uint64_t> documentsAbove_;
};

}  // namespace

std::string CheckFileVersion(host::Apprentice* reader, const std::string& path, const std::string& hostVersionNumber) {
  if (!IsHostDocument(path)) return "";
  if (reader == nullptr) return "Found fileversion: unknown. Current version: " + hostVersionNumber;
  auto document = reader->Open(path);
  (void)reader->CloseAll();
  if (document) return "";
  // The reader could not open it; its release is known only when a reader
  // that reads anything tells it, which the host's own cannot.
  return "Found fileversion: unknown. Current version: " + hostVersionNumber;
}

bool CheckReferencesResolve(host::Application& host, host::DocumentHandle document, const LogLineFunction& logLine,
                            std::optional<Failure>& pending) {
  return ReferenceCheck(host, logLine, pending).Walk(document);
}

}  // namespace korrin
