#pragma once

#include "ports/Result.h"

namespace korrin {

// The failure value of a system call: the error number it gave (errno, or
// the number posix_spawn returns) and the system's text for it.
Failure SystemFailure(int errorNumber);

}  // namespace korrin
