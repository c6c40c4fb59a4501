#include "platform/windows/automation/ComApplication.h"

#include <thread>

#include "host/ChannelFailures.h"
#include "host/SecondsText.h"

namespace korrin {

bool ChannelUsable(const ComDispatchChannel& channel) {
  return !channel.broken() && (channel.server() == nullptr || channel.server()->Runs());
}

ComApplication::ComApplication(std::shared_ptr<ComDispatchChannel> channel, host::CallDeadlines deadlines)
    : ChannelApplication(channel, deadlines), channel_(std::move(channel)), quitDeadline_(deadlines.query) {}

bool ComApplication::Usable() const { return !quit_ && ChannelUsable(*channel_); }

Status ComApplication::Quit() {
  if (Status quit = ChannelApplication::Quit(); !quit) return quit;
  quit_ = true;
  const ServerProcess* server = channel_->server();
  if (server == nullptr) return {};
  const auto end = std::chrono::steady_clock::now() + quitDeadline_;
  while (server->Runs()) {
    if (std::chrono::steady_clock::now() >= end) {
      return Failure{host::kCallTimedOut, "The host answered the quit but its process " +
                                              std::to_string(server->id()) + " did not end within " +
                                              host::SecondsText(quitDeadline_) + " s"};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

ComAcad::ComAcad(std::shared_ptr<ComDispatchChannel> channel, host::CallDeadlines deadlines)
    : ChannelAcad(channel, deadlines), channel_(std::move(channel)) {}

bool ComAcad::Usable() const { return ChannelUsable(*channel_); }

}  // namespace korrin
