#include "ProcessChannelAcad.h"

#include <utility>

#include "ProcessChannelApplication.h"

namespace korrin::standin {

ProcessChannelAcad::ProcessChannelAcad(std::shared_ptr<SocketDispatchChannel> channel, host::CallDeadlines deadlines,
                                       pid_t pid)
    : ChannelAcad(channel, deadlines), channel_(std::move(channel)), pid_(pid) {}

bool ProcessChannelAcad::Usable() const { return !channel_->broken() && ProcessRuns(pid_); }

}  // namespace korrin::standin
