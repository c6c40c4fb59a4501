#include "verify/DocumentChecks.h"

#include "host/HostCodes.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

// References of a damaged document can nest for ever or in a circle.
constexpr int kDeepestReference = 64;

bool IsHostDocument(const std::string& path) {
  if (path.size() < 3) return false;
  const std::string last = ToUpperAscii(path.substr(path.size() - 3));
  return last == "IPT" || last == "IAM" || last == "IDW" || last == "IDE" || last == "IPN";
}

class ReferenceCheck {
 public:
  ReferenceCheck(host::Application& host, const LogLineFunction& logLine, std::optional<Failure>& pending)
      : host_(host), logLine_(logLine), pending_(pending) {}

  bool Resolves(host::DocumentHandle document, int depth) {
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
        if (!ResolvesBelow(file, depth)) {
          logLine_("Error resolving: " + file.fullFileName);
          result = false;
        }
      }
    }
    return result;
  }

 private:
  bool ResolvesBelow(const host::ReferencedFile& file, int depth) {
    if (depth >= kDeepestReference) return false;
    auto referenced = host_.documents().ReferencedDocument(file.descriptor);
    if (!referenced) {
      Keep(referenced.failure());
      return false;
    }
    return Resolves(referenced.value(), depth + 1);
  }

  void Keep(const Failure& failure) {
    if (!pending_) pending_ = failure;
  }

  host::Application& host_;
  const LogLineFunction& logLine_;
  std::optional<Failure>& pending_;
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
  return ReferenceCheck(host, logLine, pending).Resolves(document, 0);
}

}  // namespace korrin
