#pragma once

#include <memory>

#include "host/ChannelAcad.h"
#include "host/ChannelApplication.h"
#include "host/ChannelCalls.h"
#include "platform/windows/automation/ComDispatchChannel.h"

namespace korrin {

// The host application over automation. Quit succeeds once the host has
// answered and, when the channel knows the server process, the process has
// gone within the query deadline.
class ComApplication final : public host::ChannelApplication {
 public:
  ComApplication(std::shared_ptr<ComDispatchChannel> channel, host::CallDeadlines deadlines);

  Status Quit() override;
  // Whether calls can still reach the host: never quit, the channel whole,
  // and its process (when known) running.
  bool Usable() const;

  // The host gives a view's window extents through four integers passed by
  // reference, which the channel's values cannot carry.
  Result<host::ViewExtents> ViewWindowExtents(host::ViewHandle view) override;
  // A view's window is the system's window: the host hands out its handle,
  // and the system places and shows it. The camera is the host's own
  // object, turned and then applied.
  Result<host::WindowHandle> ViewWindow(host::ViewHandle view) override;
  Result<host::WindowPlacement> GetWindowPlacement(host::WindowHandle window) override;
  Status SetWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement) override;
  Status ShowWindow(host::WindowHandle window, std::int32_t showCommand) override;
  Status SetCameraOrientation(host::ViewHandle view, std::int32_t orientation) override;

 private:
  std::shared_ptr<ComDispatchChannel> channel_;
  host::ChannelCalls calls_;
  std::chrono::milliseconds queryDeadline_;
  bool quit_ = false;
};

// AutoCAD over automation.
class ComAcad final : public host::ChannelAcad {
 public:
  ComAcad(std::shared_ptr<ComDispatchChannel> channel, host::CallDeadlines deadlines);

  bool Usable() const;

 private:
  std::shared_ptr<ComDispatchChannel> channel_;
};

// Whether the channel can still reach its server.
bool ChannelUsable(const ComDispatchChannel& channel);

}  // namespace korrin
