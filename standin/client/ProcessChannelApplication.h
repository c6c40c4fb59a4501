#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>

#include "host/ChannelApplication.h"
#include "platform/linux/SocketDispatchChannel.h"

namespace korrin {
class HostProcessLauncher;
}

namespace korrin::standin {

// A host program in a process of its own, reached through its socket. Quit
// is orderly: the host answers, closes its socket and ends; the quit
// succeeds once the process has gone, within the short deadline, and fails
// when it stays.
class ProcessChannelApplication final : public host::ChannelApplication {
 public:
  // The launcher, when given, is the one that started the host: it reaps
  // the process once it ends.
  ProcessChannelApplication(std::shared_ptr<SocketDispatchChannel> channel, host::CallDeadlines deadlines, pid_t pid,
                            HostProcessLauncher* launcher);

  Status Quit() override;

  pid_t pid() const { return pid_; }
  // Whether calls can still reach the host: its process runs and the
  // channel never broke.
  bool Usable() const;

 private:
  bool AwaitProcessEnd(std::chrono::milliseconds deadline);

  std::shared_ptr<SocketDispatchChannel> channel_;
  std::chrono::milliseconds quitDeadline_;
  pid_t pid_;
  HostProcessLauncher* launcher_;
  bool quit_ = false;
};

// Whether the process runs and has not ended (an ended child waiting to be
// reaped counts as gone).
bool ProcessRuns(pid_t pid);

}  // namespace korrin::standin
