#include "app/InterruptRequests.h"

#include <csignal>
#include <unistd.h>

namespace korrin {
namespace {

volatile std::sig_atomic_t interrupts = 0;

void OnInterrupt(int) {
  if (interrupts > 0) {
    constexpr char kEnded[] = "\nkorrin-batch: interrupted twice, ending at once\n";
    (void)!write(STDERR_FILENO, kEnded, sizeof kEnded - 1);
    _exit(130);
  }
  interrupts = interrupts + 1;
}

}  // namespace

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

int InterruptCount() { return interrupts; }

}  // namespace korrin
