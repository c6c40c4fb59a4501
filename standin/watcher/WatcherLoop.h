#pragma once

#include <ostream>

namespace korrin::standin {

// Runs the watcher until SIGTERM or SIGINT: opens its window, appends each
// text handed to its box to Tembrel.log in the temporary folder, and empties
// the box again. Returns the program's exit code; problems go to errors.
int RunWatcher(std::ostream& errors);

}  // namespace korrin::standin
