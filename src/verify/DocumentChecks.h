#pragma once

#include <optional>
#include <string>

#include <functional>
#include "host/Application.h"
#include "host/Apprentice.h"

namespace korrin {

// "" when the file may be opened by the host, else a text saying which
// release wrote it: the document reader could not open it ("Found
// fileversion: 8.0. Current version: 7.0"). Files that are no host
// documents (by their last three characters) are not checked. The reader is
// left with no document open; without one (it could not be made) every
// document counts as unreadable.
std::string CheckFileVersion(host::Apprentice* reader, const std::string& path, const std::string& hostVersionNumber);

// True when every reference of the open document resolves, subassemblies
// and presentations followed down. Each reference that does not resolve is
// logged "Error resolving: " + its file. A host call that fails is kept in
// pending (the first one) for the run to report; the walk goes on.
using LogLineFunction = std::function<void(const std::string&)>;
bool CheckReferencesResolve(host::Application& host, host::DocumentHandle document, const LogLineFunction& logLine,
                            std::optional<Failure>& pending);

}  // namespace korrin
