#include "app/InterruptRequests.h"

#include <windows.h>

#include "platform/windows/ConsoleInterrupts.h"

namespace korrin {

// Ctrl-C and Ctrl-Break arrive as console events on a thread of the
// system's; they are counted there, as the signal handler counts them.
void InstallInterruptHandler() { console_interrupts::Install(); }

int InterruptCount() { return console_interrupts::Count(); }

}  // namespace korrin
