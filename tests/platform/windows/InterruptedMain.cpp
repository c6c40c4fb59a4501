#include <windows.h>

#include "platform/windows/ConsoleInterrupts.h"

// Takes console interrupts as the batch program does and is interrupted as
// often as its argument says: 0 when it outlived them, the handler's own
// status otherwise.
int main(int argc, char** argv) {
  korrin::console_interrupts::Install();
  const int times = argc > 1 ? argv[1][0] - '0' : 0;
  for (int i = 0; i < times; ++i) {
    if (!korrin::console_interrupts::Handle(i % 2 == 0 ? CTRL_C_EVENT : CTRL_BREAK_EVENT)) return 3;
  }
  return korrin::console_interrupts::Count() == times ? 0 : 4;
}
