#pragma once

#include <sys/types.h>

#include <memory>

#include "host/ChannelAcad.h"
#include "platform/linux/SocketDispatchChannel.h"

namespace korrin::standin {

// The stand-in AutoCAD in a process of its own, reached through its socket.
class ProcessChannelAcad final : public host::ChannelAcad {
 public:
  ProcessChannelAcad(std::shared_ptr<SocketDispatchChannel> channel, host::CallDeadlines deadlines, pid_t pid);

  pid_t pid() const { return pid_; }
  // Whether calls can still reach AutoCAD: its process runs and the channel
  // never broke.
  bool Usable() const;

 private:
  std::shared_ptr<SocketDispatchChannel> channel_;
  pid_t pid_;
};

}  // namespace korrin::standin
