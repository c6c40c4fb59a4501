#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "ports/Result.h"

namespace korrin {

// Each running host process listens on a local socket named by its process
// id, in a folder that this user alone may use (see PrivateFolder.h):
// KORRIN_HOSTS when set, else korrin-hosts in the runtime folder or /tmp.
// Prepare and check it with PreparePrivateFolder and CheckPrivateFolder.
std::string HostSocketFolderPath();

// AutoCAD's processes have their sockets in the hosts' folder's "acad"
// folder, so that neither program is taken for the other.
std::string AcadSocketFolderPath();

// <folder>/<pid>.
std::string HostSocketPath(const std::string& folder, pid_t pid);

// The hosts of this user that still run: every socket in the folder named by
// the id of a live process of this user (not one that ended and waits to be
// reaped), oldest process first, ties by id. A socket named by a process that
// is gone is removed, since nothing can listen on it any more; files of any
// other name or kind are left alone and not listed. A missing folder lists
// none; a folder that fails CheckPrivateFolder is not read at all.
Result<std::vector<pid_t>> RunningHosts(const std::string& folder);

}  // namespace korrin
