#pragma once

#include <windows.h>

#include "ports/Result.h"

namespace korrin {

// The failure value of a Win32 call: the error number it gave (GetLastError,
// or what a registry call returns) and the system's text for it, without the
// line break the system ends it with.
Failure SystemFailure(DWORD errorNumber);
// The failure of the last call that failed on this thread.
Failure LastSystemFailure();

}  // namespace korrin
