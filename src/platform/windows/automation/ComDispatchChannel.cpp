#include "platform/windows/automation/ComDispatchChannel.h"

#include <algorithm>
#include <cwchar>

#include "host/ChannelFailures.h"
#include "platform/windows/automation/ComText.h"
#include "platform/windows/automation/MemberNames.h"

namespace korrin {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kRetryPause{50};
// How often a waiting call's filter is asked: the front end's events run
// at this pace while a call waits.
constexpr std::chrono::milliseconds kNudgeInterval{50};
constexpr const wchar_t* kNudgeWindowClass = L"KorrinCallNudge";

HWND NewNudgeWindow() {
  WNDCLASSW type{};
  type.lpfnWndProc = ::DefWindowProcW;
  type.hInstance = ::GetModuleHandleW(nullptr);
  type.lpszClassName = kNudgeWindowClass;
  ::RegisterClassW(&type);  // fails harmlessly once the class exists
  return ::CreateWindowExW(0, kNudgeWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance,
                           nullptr);
}
constexpr DWORD kEndWaitMilliseconds = 5000;

WORD FlagsOf(host::InvokeKind kind) {
  switch (kind) {
    case host::InvokeKind::PropertyGet: return DISPATCH_PROPERTYGET;
    case host::InvokeKind::PropertyPut: return DISPATCH_PROPERTYPUT;
    case host::InvokeKind::Method: break;
  }
  return DISPATCH_METHOD;
}

// The arguments of one call as automation takes them: in reverse order.
class Arguments {
 public:
  explicit Arguments(std::size_t count) : variants_(count) {
    for (VARIANT& variant : variants_) ::VariantInit(&variant);
  }
  ~Arguments() {
    for (VARIANT& variant : variants_) ::VariantClear(&variant);
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  Status Fill(const std::vector<host::DispatchValue>& values, ObjectMapping& objects) {
    for (std::size_t index = 0; index < values.size(); ++index) {
      if (Status filled = ToVariant(values[index], objects, variants_[values.size() - 1 - index]); !filled) {
        return filled;
      }
    }
    return {};
  }
  // Integers the host writes into, passed by reference, in call order.
  void Refer(std::vector<LONG>& integers) {
    for (std::size_t index = 0; index < integers.size(); ++index) {
      VARIANT& variant = variants_[integers.size() - 1 - index];
      variant.vt = VT_BYREF | VT_I4;
      variant.plVal = &integers[index];
    }
  }
  DISPPARAMS Parameters(bool put) {
    DISPPARAMS parameters{};
    parameters.rgvarg = variants_.empty() ? nullptr : variants_.data();
    parameters.cArgs = static_cast<UINT>(variants_.size());
    if (put) {
      parameters.rgdispidNamedArgs = &putId_;
      parameters.cNamedArgs = 1;
    }
    return parameters;
  }

 private:
  std::vector<VARIANT> variants_;
  DISPID putId_ = DISPID_PROPERTYPUT;
};

std::wstring TypeKey(IDispatch* object) {
  ITypeInfo* type = nullptr;
  std::wstring key;
  if (SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &type)) && type != nullptr) {
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(type->GetTypeAttr(&attributes)) && attributes != nullptr) {
      wchar_t text[64];
      if (attributes->guid != GUID_NULL && ::StringFromGUID2(attributes->guid, text, 64) != 0) key = text;
      type->ReleaseTypeAttr(attributes);
    }
    type->Release();
  }
  if (key.empty()) key = L"object " + std::to_wstring(reinterpret_cast<std::uintptr_t>(object));
  return key;
}

bool IsRejected(HRESULT result) { return result == RPC_E_SERVERCALL_RETRYLATER || result == RPC_E_CALL_REJECTED; }

}  // namespace

ComDispatchChannel::ComDispatchChannel(ComPointer<IDispatch> application, EventPump* pump,
                                       std::optional<ServerProcess> server)
    : objects_(std::move(application)), pump_(pump), server_(std::move(server)), nudgeWindow_(NewNudgeWindow()) {
  watchdog_ = std::make_unique<DeadlineWatchdog>(
      kNudgeInterval,
      [window = nudgeWindow_] {
        // Queued for the calling thread without waiting for it.
        if (window != nullptr) ::SendNotifyMessageW(window, WM_NULL, 0, 0);
      },
      [this] {
        if (!server_) return;
        ++serversEnded_;
        server_->End(kEndWaitMilliseconds);
      });
}

ComDispatchChannel::~ComDispatchChannel() {
  watchdog_.reset();
  if (nudgeWindow_ != nullptr) ::DestroyWindow(nudgeWindow_);
  objects_.Clear();
}

template <typename Calling>
Result<host::DispatchValue> ComDispatchChannel::Guarded(Calling calling) {
  if (brokenBy_) return *brokenBy_;
  if (calling_) {
    return Failure{host::kUnspecifiedFailure, "A host call was made while another waited for its answer."};
  }
  calling_ = true;
  Result<host::DispatchValue> result = calling();
  calling_ = false;
  return result;
}

Result<host::DispatchValue> ComDispatchChannel::Invoke(host::ObjectReference object, std::int32_t member,
                                                       host::InvokeKind kind,
                                                       const std::vector<host::DispatchValue>& arguments,
                                                       std::chrono::milliseconds deadline) {
  const bool put = kind == host::InvokeKind::PropertyPut;
  return Guarded([&]() -> Result<host::DispatchValue> {
    if (put && arguments.empty()) return host::BadParameterCount();
    Arguments values(arguments.size());
    if (Status filled = values.Fill(arguments, objects_); !filled) return filled.failure();
    DISPPARAMS parameters = values.Parameters(put);
    return Call(object, member, FlagsOf(kind), parameters, deadline);
  });
}

Result<std::vector<std::int32_t>> ComDispatchChannel::InvokeForIntegers(host::ObjectReference object,
                                                                        std::int32_t member, std::size_t count,
                                                                        std::chrono::milliseconds deadline) {
  std::vector<LONG> integers(count, 0);
  Result<host::DispatchValue> answer = Guarded([&] {
    Arguments values(count);
    values.Refer(integers);
    DISPPARAMS parameters = values.Parameters(false);
    return Call(object, member, DISPATCH_METHOD, parameters, deadline);
  });
  if (!answer) return answer.failure();
  return std::vector<std::int32_t>(integers.begin(), integers.end());
}

Result<host::DispatchValue> ComDispatchChannel::Call(host::ObjectReference object, std::int32_t member, WORD flags,
                                                     DISPPARAMS& parameters, std::chrono::milliseconds deadline) {
  const Clock::time_point until = Clock::now() + deadline;
  IDispatch* target = objects_.DispatchOf(object);
  if (target == nullptr) return host::ObjectDisconnected();
  Result<DISPID> id = DispatchIdOf(target, member);
  if (!id) return id.failure();
  while (true) {
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO exception{};
    const HRESULT invoked = InvokeWatched(target, id.value(), flags, parameters, result, exception, until);
    if (SUCCEEDED(invoked)) {
      Result<host::DispatchValue> value = FromVariant(result, objects_);
      ::VariantClear(&result);
      return value;
    }
    ::VariantClear(&result);
    if (filter_.cancelled() || invoked == RPC_E_CALL_CANCELED) return Break(host::CallTimedOut(deadline));
    if (IsServerGone(invoked)) {
      // A server ended because its call outlived the deadline took the
      // call's time, not the host's fault.
      return Break(Clock::now() >= until ? host::CallTimedOut(deadline) : host::ServerUnavailable());
    }
    if (IsRejected(invoked)) {
      // The system gave the rejected call back rather than asking the filter.
      if (Clock::now() + kRetryPause >= until) return Break(host::CallTimedOut(deadline));
      filter_.CountRetry();
      PauseBeforeRetry(until);
      continue;
    }
    return FailureOf(invoked, &exception);
  }
}

HRESULT ComDispatchChannel::InvokeWatched(IDispatch* object, DISPID id, WORD flags, DISPPARAMS& parameters,
                                          VARIANT& result, EXCEPINFO& exception, Clock::time_point until) {
  watchdog_->Arm(until, until + kEndServerGrace);
  HRESULT invoked;
  {
    CallMessageFilter::Watch watch(filter_, until, pump_);
    UINT badArgument = 0;
    invoked = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, &result, &exception,
                             &badArgument);
  }
  if (watchdog_->Disarm() && server_ && SUCCEEDED(invoked)) {
    // The answer came while the server was being ended: the host is gone
    // all the same, and the next call would find out.
    return RPC_E_SERVER_DIED;
  }
  return invoked;
}

void ComDispatchChannel::PauseBeforeRetry(Clock::time_point until) {
  const Clock::time_point end = std::min(until, Clock::now() + kRetryPause);
  while (Clock::now() < end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max<long long>(left.count(), 1)),
                                QS_ALLINPUT);
    if (pump_ != nullptr) pump_->Yield();
  }
}

Result<DISPID> ComDispatchChannel::DispatchIdOf(IDispatch* object, std::int32_t member) {
  if (!IsNamedMember(member)) return static_cast<DISPID>(member);
  const wchar_t* name = MemberName(member);
  if (name == nullptr) {
    return Failure{host::kMemberNotFound, "Member not found: " + std::to_string(member) +
                                              " is no automation member of the host"};
  }
  const auto key = std::make_pair(TypeKey(object), member);
  if (const auto known = namedIds_.find(key); known != namedIds_.end()) return known->second;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT resolved = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(resolved)) {
    if (IsServerGone(resolved)) return Break(host::ServerUnavailable());
    Failure failure = FailureOf(resolved);
    failure.description += " (" + Utf8FromWide(name, std::wcslen(name)) + ")";
    return failure;
  }
  namedIds_.emplace(key, id);
  return id;
}

Failure ComDispatchChannel::Break(Failure failure) {
  brokenBy_ = failure;
  return failure;
}

}  // namespace korrin
