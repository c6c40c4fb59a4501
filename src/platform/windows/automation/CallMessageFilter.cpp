#include "platform/windows/automation/CallMessageFilter.h"

namespace korrin {
namespace {

// How often the system asks the filter while a call waits, and how soon a
// rejected call is tried again: short beside any deadline, long enough that
// a busy host is not flooded.
constexpr UINT kTimerMilliseconds = 20;
constexpr DWORD kRetryDelayMilliseconds = 50;
// RetryRejectedCall's answer that gives the call up.
constexpr DWORD kCancelRetry = static_cast<DWORD>(-1);

}  // namespace

CallMessageFilter::Watch::Watch(CallMessageFilter& filter, Clock::time_point until, EventPump* pump)
    : filter_(filter) {
  filter_.until_ = until;
  filter_.pump_ = pump;
  filter_.cancelled_ = false;
  ::CoRegisterMessageFilter(&filter_, &previous_);
  timer_ = ::SetTimer(nullptr, 0, kTimerMilliseconds, nullptr);
}

CallMessageFilter::Watch::~Watch() {
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
  IMessageFilter* ours = nullptr;
  ::CoRegisterMessageFilter(previous_, &ours);
  if (ours != nullptr) ours->Release();
  if (previous_ != nullptr) previous_->Release();
  filter_.pump_ = nullptr;
}

HRESULT CallMessageFilter::QueryInterface(REFIID id, void** object) {
  if (id == IID_IUnknown || id == IID_IMessageFilter) {
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

DWORD CallMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) { return SERVERCALL_ISHANDLED; }

DWORD CallMessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD rejectType) {
  // A host that refuses for good is not asked again; one that is busy is,
  // while the retry still ends before the deadline.
  if (rejectType != SERVERCALL_RETRYLATER) return kCancelRetry;
  if (Clock::now() + std::chrono::milliseconds(kRetryDelayMilliseconds) >= until_) return kCancelRetry;
  ++counts_.retries;
  return kRetryDelayMilliseconds;
}

DWORD CallMessageFilter::MessagePending(HTASK, DWORD, DWORD) {
  ++counts_.pendingAsks;
  if (Clock::now() >= until_) {
    if (!cancelled_) ++counts_.cancellations;
    cancelled_ = true;
    return PENDINGMSG_CANCELCALL;
  }
  if (pump_ != nullptr && !yielding_) {
    yielding_ = true;
    pump_->Yield();
    yielding_ = false;
  }
  return PENDINGMSG_WAITDEFPROCESS;
}

}  // namespace korrin
