#pragma once

#include <windows.h>

namespace korrin::console_interrupts {

// Ctrl-C and Ctrl-Break of the console, counted as the batch program counts
// its interrupts: the first asks the running operation to stop (the program
// polls the count), a second ends the program at once with status 130.
// Closing the console, logging off and shutting down are left to the
// system. The system calls the handler on a thread of its own.
void Install();
int Count();

// What the installed handler does with one console event; TRUE when the
// event was handled here.
BOOL WINAPI Handle(DWORD event);

}  // namespace korrin::console_interrupts
