#include <unistd.h>

#include <string_view>

// A child for the process tests: sleeps until a signal ends it, or with
// "--exit" ends at once (and stays a zombie until its parent reaps it).
int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--exit") return 0;
  for (;;) ::pause();
}
