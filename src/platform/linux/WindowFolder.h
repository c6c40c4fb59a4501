#pragma once

#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin {

// Linux has no top-level windows to find by title, so each window of the
// window link is a local socket named after its title, in a folder that this
// user alone may use: KORRIN_WINDOWS when set (tests point it at a folder of
// their own), else $XDG_RUNTIME_DIR/korrin-windows when that runtime folder
// is usable, else /tmp/korrin-windows-<uid>.
std::string WindowFolderPath();

// Fails unless the folder is a real folder (not a link) owned by this user
// with no rights for group or others.
Status CheckWindowFolder(const std::string& folder);
// Creates the folder with rights for this user alone when it is missing, then
// checks it as CheckWindowFolder does.
Status PrepareWindowFolder(const std::string& folder);

// The socket file of the window with that title. The title is taken byte for
// byte except for bytes a file name cannot hold or would make special ('/',
// '%', a leading '.', control and non-ASCII bytes), written as %XX.
std::string WindowSocketPath(const std::string& folder, std::string_view title);

}  // namespace korrin
