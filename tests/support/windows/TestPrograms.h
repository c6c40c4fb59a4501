#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include <string>
#include <vector>

namespace korrin::testing {

// Runs a program (the first argument) with the arguments quoted as the
// system reads them, and waits for it: its exit status, -1 when it could
// not start, -2 when it outlived the wait (it is then ended). With an
// output handle, its standard output and error go there.
int RunAndWait(const std::vector<std::wstring>& arguments, HANDLE output = nullptr, DWORD milliseconds = 30000);

// Ends every process of this image name, each within five seconds.
void EndProcessesNamed(const std::wstring& image);

}  // namespace korrin::testing
