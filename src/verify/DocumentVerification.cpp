#include "verify/DocumentVerification.h"

#include "host/HostCodes.h"
#include "settings/TextCase.h"
#include "verify/ReferenceTree.h"

namespace korrin {
namespace {

constexpr const char* kSeparatorLine = "---------------------------------------------------------------------";

bool IsVerifiablePattern(const std::string& pattern) {
  const std::string upper = ToUpperAscii(pattern);
  return upper == "*.IAM" || upper == "*.IPT" || upper == "*.IDW" || upper == "*.IPN";
}

// The document's own state and its tree; a failed read of the reader ends
// the file.
Result<bool> VerifyOpenDocument(VerificationPorts& ports, host::Apprentice& reader, host::DocumentHandle document,
                                const std::string& path) {
  auto migrating = reader.NeedsMigrating(document);
  if (!migrating) return migrating.failure();
  if (migrating.value()) ports.logLine("Needs Migrating");
  auto status = reader.ComputeStatus(document);
  if (!status) return status.failure();
  ports.logLine(status.value() != host::kStatusUpToDate ? "Not up to date..." : "Up to date...");
  return ReferenceTree(reader, ports.logLine, ports.events).LogReferenceTree(document, path);
}

}  // namespace

VerificationOutcome VerifyDocuments(VerificationPorts& ports, const std::vector<std::string>& files,
                                    const std::string& importPattern, const std::string& projectFile) {
  VerificationOutcome outcome;
  const auto refuse = [&](const char* message) {
    ports.dialogs.ShowMessage(message);
    ports.logLine(kVerificationFinished);
    return outcome;
  };
  if (files.empty()) return refuse("No files to check");
  if (!IsVerifiablePattern(importPattern)) return refuse("Files must be Inventor documents");
  if (projectFile.empty()) return refuse("No projectfile specified");
  outcome.started = true;
  if (ports.showReport) ports.showReport();
  for (const std::string& path : files) {
    ports.logLine(kSeparatorLine);
    ports.logLine("Verifying " + path);
    const bool clean = VerifyDocumentFile(ports, path);
    outcome.fileClean.push_back(clean);
    if (clean) {
      ++outcome.clean;
    } else {
      ports.logLine("Errors...");
      ++outcome.failed;
    }
  }
  ports.logLine(kVerificationFinished);
  return outcome;
}

bool VerifyDocumentFile(VerificationPorts& ports, const std::string& path) {
  auto made = ports.connector.NewApprentice();
  auto document = made ? made.value()->Open(path) : Result<host::DocumentHandle>(made.failure());
  // A reader may also open a file it cannot read without an error, giving
  // no document: that is the same failure, without a description.
  if (!document || !document.value()) {
    ports.logLine("Error opening: " + path + "   " + (document ? std::string() : document.failure().description) +
                  "     ( may be a newer Inventor version file )");
    if (made) (void)made.value()->CloseAll();
    return false;
  }
  host::Apprentice& reader = *made.value();
  const Result<bool> verified = VerifyOpenDocument(ports, reader, document.value(), path);
  (void)reader.CloseAll();
  return verified && verified.value();
}

}  // namespace korrin
