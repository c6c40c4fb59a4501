#include "ViewsHelperProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

extern char** environ;

namespace korrin::standin {

void ViewsHelperProcess::SetNeeded(bool needed) {
  if (needed == (pid_ != 0)) return;
  if (!needed) {
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
    return;
  }
  std::string helper = kViewsHelperArgument;
  std::string host = std::to_string(::getpid());
  std::vector<char*> arguments{program_.data(), helper.data(), host.data(), nullptr};
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program_.c_str(), &actions, nullptr, arguments.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  // Without its helper the host still computes its views; a program that
  // looks for the helper then does not find it.
  if (spawned != 0) {
    std::cerr << "korrin-host: cannot start the views' helper " << program_ << ": " << std::strerror(spawned)
              << "\n";
    return;
  }
  pid_ = pid;
}

int RunViewsHelper(pid_t host) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  // A host that died before the line above was in force is not seen by it.
  if (::getppid() != host) return 0;
  for (;;) ::pause();
}

}  // namespace korrin::standin
