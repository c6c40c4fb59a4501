#pragma once

namespace korrin {

// Ctrl-C in korrin-batch: the first asks the running operation to stop, as
// the Abort command does; a second ends the program at once.
void InstallInterruptHandler();
// How many interrupts arrived so far.
int InterruptCount();

}  // namespace korrin
