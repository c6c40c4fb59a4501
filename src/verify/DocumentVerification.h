#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "host/HostConnector.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"

namespace korrin {

// What a verification works with: a connector that makes document readers,
// the boxes, the yield, and the log its lines go to.
struct VerificationPorts {
  host::HostConnector& connector;
  Dialogs& dialogs;
  EventPump& events;
  std::function<void(const std::string&)> logLine;
  // Clears and shows the run report before the first file; may be empty.
  std::function<void()> showReport;
};

inline constexpr const char* kVerificationFinished = "Verification finished";

// How a verification ended: refused before the first file, or with the
// number of files that verified cleanly and that did not.
struct VerificationOutcome {
  bool started = false;
  std::size_t clean = 0;
  std::size_t failed = 0;
  std::vector<bool> fileClean;  // per file, in the order given
};

// Writes every file's state and its whole reference tree to the log. The
// import pattern must be one of the host's own document kinds and a project
// must be chosen; an empty list is refused too, each with its message.
VerificationOutcome VerifyDocuments(VerificationPorts& ports, const std::vector<std::string>& files,
                                    const std::string& importPattern, const std::string& projectFile);

// One file with a new document reader: true when it opened and every
// reference of its tree resolved.
bool VerifyDocumentFile(VerificationPorts& ports, const std::string& path);

}  // namespace korrin
