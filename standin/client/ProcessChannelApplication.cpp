#include "ProcessChannelApplication.h"

#include <thread>

#include "host/ChannelFailures.h"
#include "host/SecondsText.h"
#include "platform/linux/HostProcessLauncher.h"
#include "platform/linux/ProcFiles.h"

namespace korrin::standin {

bool ProcessRuns(pid_t pid) {
  const auto status = ReadProcessStatus(pid);
  return status && !IsEndedState(status->state);
}

ProcessChannelApplication::ProcessChannelApplication(std::shared_ptr<SocketDispatchChannel> channel,
                                                     host::CallDeadlines deadlines, pid_t pid,
                                                     HostProcessLauncher* launcher)
    : ChannelApplication(channel, deadlines),
      channel_(std::move(channel)),
      quitDeadline_(deadlines.query),
      pid_(pid),
      launcher_(launcher) {}

bool ProcessChannelApplication::Usable() const { return !quit_ && !channel_->broken() && ProcessRuns(pid_); }

bool ProcessChannelApplication::AwaitProcessEnd(std::chrono::milliseconds deadline) {
  if (launcher_ != nullptr && launcher_->WaitForEnd(pid_, deadline)) return true;
  // A host another program started is not ours to reap: watch it go.
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (ProcessRuns(pid_)) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

Status ProcessChannelApplication::Quit() {
  if (Status quit = ChannelApplication::Quit(); !quit) return quit;
  quit_ = true;
  if (!AwaitProcessEnd(quitDeadline_)) {
    return Failure{host::kCallTimedOut, "The host answered the quit but its process " + std::to_string(pid_) +
                                            " did not end within " + host::SecondsText(quitDeadline_) + " s"};
  }
  return {};
}

}  // namespace korrin::standin
