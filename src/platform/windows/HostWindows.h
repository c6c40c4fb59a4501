#pragma once

#include <chrono>

#include "host/HostHandles.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin {

// The host's windows by the handles the host gives out (a view's window
// handle is the system's), read and changed through the system. Changing a
// window of another process waits for that process to serve it, so each
// change first asks the window's thread to answer within the deadline and
// fails as a call to the host does when it does not; showing never waits.
// A handle that names no window fails with the system's "Invalid window
// handle".
Result<host::WindowPlacement> ReadWindowPlacement(host::WindowHandle window);
Status WriteWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement,
                            std::chrono::milliseconds deadline);
Status ShowHostWindow(host::WindowHandle window, int showCommand);

}  // namespace korrin
