#include "support/ChildProcesses.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "support/WaitUntil.h"

extern char** environ;

namespace korrin::testing {

pid_t SpawnChild(const std::string& program, const std::vector<std::string>& argv) {
  std::vector<std::string> text = argv;
  std::vector<char*> pointers;
  for (std::string& argument : text) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, pointers.data(), environ) != 0) return -1;
  return pid;
}

void EndChild(pid_t pid) {
  if (pid <= 0 || ::waitpid(pid, nullptr, WNOHANG) != 0) return;  // reaped now, or before
  ::kill(pid, SIGKILL);
  const bool reaped = WaitUntil([pid] {
    const pid_t result = ::waitpid(pid, nullptr, WNOHANG);
    return result == pid || (result < 0 && errno == ECHILD);
  });
  if (!reaped) ADD_FAILURE() << "child " << pid << " did not end after SIGKILL";
}

StartedProcessesView::~StartedProcessesView() {
  for (const std::int64_t pid : started_) EndChild(static_cast<pid_t>(pid));
}

std::vector<ProcessEntry> StartedProcessesView::Snapshot() const {
  std::vector<ProcessEntry> processes = table_.Snapshot();
  std::erase_if(processes, [this](const ProcessEntry& process) { return !WasStarted(process.pid); });
  return processes;
}

Status StartedProcessesView::Terminate(std::int64_t pid) {
  if (!WasStarted(pid)) return Failure{EPERM, "not started by this test"};
  return table_.Terminate(pid);
}

Status StartedProcessesView::SetPriorityClass(std::int64_t pid, PriorityClass priority) {
  if (!WasStarted(pid)) return Failure{EPERM, "not started by this test"};
  return table_.SetPriorityClass(pid, priority);
}

Result<std::int64_t> StartedProcessesView::Start(const std::string& program, const std::vector<std::string>& arguments,
                                                 StartStyle style) {
  Result<std::int64_t> started = table_.Start(program, arguments, style);
  if (started) started_.push_back(started.value());
  return started;
}

bool StartedProcessesView::WasStarted(std::int64_t pid) const {
  return std::find(started_.begin(), started_.end(), pid) != started_.end();
}

}  // namespace korrin::testing
