#include "platform/windows/automation/ComApplication.h"

#include <thread>

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "host/SecondsText.h"
#include "platform/windows/HostWindows.h"

namespace korrin {

bool ChannelUsable(const ComDispatchChannel& channel) {
  return !channel.broken() && (channel.server() == nullptr || channel.server()->Runs());
}

ComApplication::ComApplication(std::shared_ptr<ComDispatchChannel> channel, host::CallDeadlines deadlines)
    : ChannelApplication(channel, deadlines), channel_(channel), calls_(channel, deadlines),
      queryDeadline_(deadlines.query) {}

bool ComApplication::Usable() const { return !quit_ && ChannelUsable(*channel_); }

Status ComApplication::Quit() {
  if (Status quit = ChannelApplication::Quit(); !quit) return quit;
  quit_ = true;
  const ServerProcess* server = channel_->server();
  if (server == nullptr) return {};
  const auto end = std::chrono::steady_clock::now() + queryDeadline_;
  while (server->Runs()) {
    if (std::chrono::steady_clock::now() >= end) {
      return Failure{host::kCallTimedOut, "The host answered the quit but its process " +
                                              std::to_string(server->id()) + " did not end within " +
                                              host::SecondsText(queryDeadline_) + " s"};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

Result<host::ViewExtents> ComApplication::ViewWindowExtents(host::ViewHandle view) {
  Result<std::vector<std::int32_t>> extents =
      channel_->InvokeForIntegers(host::ObjectReference{view.value}, host::members::kWindowExtents, 4, queryDeadline_);
  if (!extents) return extents.failure();
  const std::vector<std::int32_t>& e = extents.value();
  return host::ViewExtents{e[0], e[1], e[2], e[3]};
}

Result<host::WindowHandle> ComApplication::ViewWindow(host::ViewHandle view) {
  Result<std::int32_t> handle = calls_.GetInteger(host::ObjectReference{view.value}, host::members::kViewWindow);
  if (!handle) return handle.failure();
  return host::WindowHandle{static_cast<std::uint32_t>(handle.value())};
}

Result<host::WindowPlacement> ComApplication::GetWindowPlacement(host::WindowHandle window) {
  return ReadWindowPlacement(window);
}

Status ComApplication::SetWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement) {
  return WriteWindowPlacement(window, placement, queryDeadline_);
}

Status ComApplication::ShowWindow(host::WindowHandle window, std::int32_t showCommand) {
  return ShowHostWindow(window, showCommand);
}

Status ComApplication::SetCameraOrientation(host::ViewHandle view, std::int32_t orientation) {
  namespace m = host::members;
  Result<host::ObjectReference> camera = calls_.GetObject(host::ObjectReference{view.value}, m::kViewCamera);
  if (!camera) return camera.failure();
  if (Status turned = calls_.Put(camera.value(), m::kCameraViewOrientation, {orientation}); !turned) return turned;
  return host::AsStatus(calls_.Call(camera.value(), m::kCameraApply, {}, host::CallWeight::Query));
}

ComAcad::ComAcad(std::shared_ptr<ComDispatchChannel> channel, host::CallDeadlines deadlines)
    : ChannelAcad(channel, deadlines), channel_(std::move(channel)) {}

bool ComAcad::Usable() const { return ChannelUsable(*channel_); }

}  // namespace korrin
