#pragma once

#include <filesystem>
#include <functional>

#include "ports/Result.h"

namespace korrin::standin {

// Runs write on a fresh temporary file in the target's folder and renames it
// over the target when write succeeds and left a non-empty file; otherwise
// removes the temporary file, so no half-written target is ever seen.
Status WriteThroughSibling(const std::filesystem::path& target,
                           const std::function<Status(const std::filesystem::path& temporary)>& write);

}  // namespace korrin::standin
