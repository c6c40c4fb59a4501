#pragma once

#include <string>
#include <string_view>

#include "ports/Result.h"

namespace korrin {

// Folders of sockets that only this user may reach (the window link's, the
// hosts'): the folder named by the override variable when it is set (tests
// point it at a folder of their own), else <name> in $XDG_RUNTIME_DIR when
// that runtime folder is usable, else /tmp/<name>-<uid>.
std::string PrivateFolderPath(const char* overrideVariable, std::string_view name);

// Fails unless the folder is a real folder (not a link) owned by this user
// with no rights for group or others.
Status CheckPrivateFolder(const std::string& folder);
// Creates the folder with rights for this user alone when it is missing, then
// checks it as CheckPrivateFolder does.
Status PreparePrivateFolder(const std::string& folder);

}  // namespace korrin
