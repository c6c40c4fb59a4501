#pragma once

#include <memory>

#include "HostDispatcher.h"
#include "host/DispatchChannel.h"

namespace korrin::testing {

// A dispatch channel that hands every invoke straight to a dispatcher in
// the same process: the typed client classes over a host without a
// transport. It keeps the host it serves alive.
class ModelDispatchChannel final : public host::DispatchChannel {
 public:
  explicit ModelDispatchChannel(std::shared_ptr<host::Application> application)
      : application_(std::move(application)), dispatcher_(*application_) {}

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments,
                                     std::chrono::milliseconds /*deadline*/) override {
    ++invokes;
    return dispatcher_.Invoke(object, member, kind, arguments);
  }

  int invokes = 0;

 private:
  std::shared_ptr<host::Application> application_;
  standin::HostDispatcher dispatcher_;
};

}  // namespace korrin::testing
