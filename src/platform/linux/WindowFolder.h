#pragma once

#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin {

// Linux has no top-level windows to find by title, so each window of the
// window link is a local socket named after its title, in a folder that this
// user alone may use (see PrivateFolder.h): KORRIN_WINDOWS when set, else
// korrin-windows in the runtime folder or /tmp.
std::string WindowFolderPath();

// The socket file of the window with that title. The title is taken byte for
// byte except for bytes a file name cannot hold or would make special ('/',
// '%', a leading '.', control and non-ASCII bytes), written as %XX.
std::string WindowSocketPath(const std::string& folder, std::string_view title);

}  // namespace korrin
