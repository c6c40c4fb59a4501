#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include <chrono>

#include "ports/EventPump.h"

namespace korrin {

// What the system asked the filter during the calls it watched.
struct CallWaitCounts {
  int retries = 0;          // rejected calls the system tried again on the filter's word
  int returnedRejections = 0;  // rejected calls the system gave back, tried again by the channel
  int pendingAsks = 0;      // times it was asked while a call waited
  int cancellations = 0;    // calls it cancelled at their deadline
};

// The thread's message filter while a call to another process waits: a
// call the busy host rejects is tried again until the call's deadline, a
// call whose deadline passes is cancelled, and the front end's events run
// meanwhile. A thread timer makes the system ask the filter while nothing
// else arrives. Installed by a Watch for one call on the calling thread (a
// single-threaded apartment); owned by its channel, never deleted through
// its reference count.
class CallMessageFilter final : public IMessageFilter {
 public:
  using Clock = std::chrono::steady_clock;

  // Installs the filter and the timer until the watch ends, restoring the
  // filter that was there before.
  class Watch {
   public:
    Watch(CallMessageFilter& filter, Clock::time_point until, EventPump* pump);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

   private:
    CallMessageFilter& filter_;
    IMessageFilter* previous_ = nullptr;
    UINT_PTR timer_ = 0;
  };

  const CallWaitCounts& counts() const { return counts_; }
  bool cancelled() const { return cancelled_; }
  // A rejected call the channel itself tries again.
  void CountRetry() { ++counts_.returnedRejections; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                             LPINTERFACEINFO interfaceInfo) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

 private:
  ULONG references_ = 0;
  Clock::time_point until_{};
  EventPump* pump_ = nullptr;
  bool cancelled_ = false;
  bool yielding_ = false;
  CallWaitCounts counts_;
};

}  // namespace korrin
