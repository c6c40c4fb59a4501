#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include <atomic>
#include <map>
#include <string>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "host/DispatchChannel.h"
#include "platform/windows/automation/CallMessageFilter.h"
#include "platform/windows/automation/DeadlineWatchdog.h"
#include "platform/windows/automation/DispatchObjects.h"
#include "platform/windows/automation/ServerProcess.h"
#include "ports/EventPump.h"

namespace korrin {

// The dispatch channel over automation: each Invoke is one IDispatch::Invoke
// on the object the reference names, with the member's dispatch id, or with
// the id its published name resolves to (asked once per type of object and
// kept). Made and called on one thread of a single-threaded apartment.
//
// A host's failure (its exception record, or a failing result) fails the
// call alone. The channel breaks for good, and every later call fails at
// once with the same failure, when the host is gone (kServerUnavailable) or
// a call passes its deadline (kCallTimedOut). The deadline is kept by the
// message filter, which cancels the waiting call; should the system go on
// waiting regardless, the server process (when the channel knows it) is
// ended shortly after the deadline, which ends the wait.
//
// The filter is asked only when a message arrives. A thread timer should
// see to that, but not every system wakes a waiting call for its timer
// (Wine does not), so a watchdog thread also sends the calling thread's
// window of the channel a message at every tick and at the deadline.
class ComDispatchChannel final : public host::DispatchChannel {
 public:
  // How long after a deadline the server is ended if its call still waits.
  static constexpr std::chrono::milliseconds kEndServerGrace{250};

  // The pump may be null (no events to run); it must outlive the channel.
  ComDispatchChannel(ComPointer<IDispatch> application, EventPump* pump, std::optional<ServerProcess> server);
  ~ComDispatchChannel() override;

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments,
                                     std::chrono::milliseconds deadline) override;

  // Calls a method that answers through COUNT integers passed by reference
  // (as a view's window extents come), and gives them as the host left them.
  Result<std::vector<std::int32_t>> InvokeForIntegers(host::ObjectReference object, std::int32_t member,
                                                      std::size_t count, std::chrono::milliseconds deadline);

  bool broken() const { return brokenBy_.has_value(); }
  const ServerProcess* server() const { return server_ ? &*server_ : nullptr; }
  const CallWaitCounts& waitCounts() const { return filter_.counts(); }
  // Calls whose deadline was kept by ending the server process.
  int serversEnded() const { return serversEnded_.load(); }

 private:
  using Clock = std::chrono::steady_clock;

  // Refuses a call while the channel is broken or another call waits.
  template <typename Calling>
  Result<host::DispatchValue> Guarded(Calling calling);
  Result<host::DispatchValue> Call(host::ObjectReference object, std::int32_t member, WORD flags,
                                   DISPPARAMS& parameters, std::chrono::milliseconds deadline);
  Result<DISPID> DispatchIdOf(IDispatch* object, std::int32_t member);
  HRESULT InvokeWatched(IDispatch* object, DISPID id, WORD flags, DISPPARAMS& parameters, VARIANT& result,
                        EXCEPINFO& exception, Clock::time_point until);
  // Waits a moment before a rejected call is tried again, serving events.
  void PauseBeforeRetry(Clock::time_point until);
  Failure Break(Failure failure);

  DispatchObjects objects_;
  EventPump* pump_;
  std::optional<ServerProcess> server_;
  CallMessageFilter filter_;
  HWND nudgeWindow_ = nullptr;
  std::unique_ptr<DeadlineWatchdog> watchdog_;
  // Member ids resolved by name, by the object's type (the GUID of its type
  // information, or the object itself when it tells none) and member.
  std::map<std::pair<std::wstring, std::int32_t>, DISPID> namedIds_;
  std::optional<Failure> brokenBy_;
  bool calling_ = false;
  std::atomic<int> serversEnded_{0};
};

}  // namespace korrin
