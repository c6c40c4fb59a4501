#pragma once

#include <cerrno>

#include "ports/Result.h"

namespace korrin::testing {

// What the system answers when a folder stands where a test reads a file or
// puts one. The tests state the situation; this header holds each
// platform's answer.
#ifdef _WIN32
// The C runtime refuses to open a folder at all, so no read of one starts.
inline constexpr bool kFolderOpensAsFile = false;
inline const Failure kFolderRead{EACCES, "Permission denied"};
// MoveFileExW onto a folder: ERROR_ACCESS_DENIED, in the system's wording
// (Wine's, where the tests run; Windows says "Access is denied.").
inline const Failure kFileOntoFolder{5, "Access denied"};
#else
// A folder opens for reading; the first read fails.
inline constexpr bool kFolderOpensAsFile = true;
inline const Failure kFolderRead{EISDIR, "Is a directory"};
inline const Failure kFileOntoFolder{EISDIR, "Is a directory"};
#endif

}  // namespace korrin::testing
