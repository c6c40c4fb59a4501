#pragma once

#include <filesystem>
#include <functional>

#include "ports/Result.h"

namespace korrin::standin {

// Runs write on a fresh temporary file (held in memory) and, when write
// succeeds and left a non-empty file, replaces the target with its bytes the
// way the text-file module replaces a file: through a temporary file in the
// target's folder, synced and renamed. Otherwise the target stays as it was,
// so no half-written target is ever seen, and a failed write to the folder
// (a full disk) gives the system's reason.
Status WriteThroughSibling(const std::filesystem::path& target,
                           const std::function<Status(const std::filesystem::path& temporary)>& write);

}  // namespace korrin::standin
