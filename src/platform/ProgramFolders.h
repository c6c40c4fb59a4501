#pragma once

#include <string>

namespace korrin {

// The folder the program's own files live in: KORRIN_HOME when it is set,
// else the folder of the running executable.
std::string ProgramFolder();

// The user's temporary folder: TEMP, else TMPDIR, else /tmp.
std::string TempFolder();

}  // namespace korrin
