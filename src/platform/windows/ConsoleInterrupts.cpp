#include "platform/windows/ConsoleInterrupts.h"

#include <atomic>

namespace korrin::console_interrupts {
namespace {

constexpr UINT kInterruptedStatus = 130;

std::atomic<int> interrupts{0};

}  // namespace

BOOL WINAPI Handle(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interrupts.fetch_add(1) > 0) {
    constexpr char kEnded[] = "\nkorrin-batch: interrupted twice, ending at once\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), kEnded, sizeof kEnded - 1, &written, nullptr);
    ExitProcess(kInterruptedStatus);
  }
  return TRUE;
}

void Install() { SetConsoleCtrlHandler(Handle, TRUE); }

int Count() { return interrupts.load(); }

}  // namespace korrin::console_interrupts
