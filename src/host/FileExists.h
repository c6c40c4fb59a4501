#pragma once

#include <string>

namespace korrin {

// True when the path names an existing file, following links; false for a
// folder, a missing path, an empty text and a path that cannot be examined.
bool FileExists(const std::string& path);

}  // namespace korrin
