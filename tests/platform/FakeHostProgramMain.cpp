#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

// A host program for the launcher's tests. It takes its steps from its
// arguments, in order, then sleeps until a signal ends it:
//   --stderr TEXT   writes the line to standard error (the host's log)
//   --sleep MS      waits that long
//   --answer TEXT   writes the line to the ready descriptor ("ready" to serve)
//   --close         closes the ready descriptor
//   --exit N        ends with status N
//   --signal N      ends by signal N
// The launcher appends "--ready-fd N" last; without an --answer the program
// never says it is ready.
namespace {

void WriteLine(int descriptor, std::string_view text) {
  const std::string line = std::string(text) + "\n";
  [[maybe_unused]] const ssize_t written = ::write(descriptor, line.data(), line.size());
}

int ReadyDescriptor(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string_view(argv[i]) == "--ready-fd") return std::atoi(argv[i + 1]);
  }
  return -1;
}

void EndBySignal(int signalNumber) {
  // No core file, and no handler of a sanitizer turning the signal into an
  // exit status.
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  ::signal(signalNumber, SIG_DFL);
  ::raise(signalNumber);
}

}  // namespace

int main(int argc, char** argv) {
  const int ready = ReadyDescriptor(argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string_view step = argv[i];
    if (step == "--close") {
      ::close(ready);
      continue;
    }
    if (i + 1 == argc) break;
    const char* value = argv[++i];
    if (step == "--stderr") WriteLine(STDERR_FILENO, value);
    if (step == "--sleep") std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value)));
    if (step == "--answer") WriteLine(ready, value);
    if (step == "--exit") return std::atoi(value);
    if (step == "--signal") EndBySignal(std::atoi(value));
  }
  for (;;) ::pause();
}
