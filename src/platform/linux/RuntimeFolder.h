#pragma once

namespace korrin {

// Qt keeps per-user runtime files in XDG_RUNTIME_DIR and complains on
// standard error when a session has none (cron, ssh, containers). A program
// without windows that still draws gets a folder of its own in the temporary
// folder instead, for this user alone; a usable runtime folder is kept.
void PrepareRuntimeFolder();

}  // namespace korrin
