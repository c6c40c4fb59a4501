#include "support/windows/ServedHost.h"

#include <atomic>

#include "host/ChannelFailures.h"
#include "platform/windows/automation/ComText.h"
#include "platform/windows/automation/MemberNames.h"

namespace korrin::testing {
namespace {

// Asked of an object to learn whether it is one of ours, and which.
// {6B0E1D52-3C1A-4F5E-9A43-2D7C8B11E0A1}
constexpr GUID kServedObjectInterface{0x6b0e1d52, 0x3c1a, 0x4f5e, {0x9a, 0x43, 0x2d, 0x7c, 0x8b, 0x11, 0xe0, 0xa1}};

class ServedObject final : public IDispatch {
 public:
  ServedObject(ServedHost& host, host::ObjectReference reference) : host_(host), reference_(reference) {}

  host::ObjectReference reference() const { return reference_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IDispatch || id == kServedObjectInterface) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** type) override {
    *type = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    host_.CountNameLookup();
    HRESULT result = S_OK;
    for (UINT index = 0; index < count; ++index) {
      const std::optional<std::int32_t> member = MemberNamed(names[index]);
      ids[index] = member ? *member : DISPID_UNKNOWN;
      if (!member) result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    return host_.Invoke(reference_, member, flags, parameters, result, exception);
  }

 private:
  ServedHost& host_;
  host::ObjectReference reference_;
  std::atomic<ULONG> references_{1};
};

HRESULT AnswerInto(const host::DispatchValue& answer, const std::vector<LONG*>& integers) {
  if (!answer.holds<host::DispatchArray>()) return DISP_E_TYPEMISMATCH;
  const host::DispatchArray& values = answer.as<host::DispatchArray>();
  if (values.size() != integers.size()) return DISP_E_BADPARAMCOUNT;
  for (std::size_t index = 0; index < values.size(); ++index) {
    if (!values[index].holds<std::int32_t>()) return DISP_E_TYPEMISMATCH;
    *integers[index] = values[index].as<std::int32_t>();
  }
  return S_OK;
}

host::InvokeKind KindOf(WORD flags) {
  if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) return host::InvokeKind::PropertyPut;
  if ((flags & DISPATCH_METHOD) != 0) return host::InvokeKind::Method;
  return host::InvokeKind::PropertyGet;
}

}  // namespace

ServedHost::ServedHost(ServedDispatcher dispatcher) : dispatcher_(std::move(dispatcher)) {}

ServedHost::~ServedHost() = default;

IDispatch* ServedHost::DispatchOf(host::ObjectReference reference) {
  if (reference.value == 0) return nullptr;
  ComPointer<IDispatch>& object = objects_[reference.value];
  if (!object) object = ComPointer<IDispatch>(new ServedObject(*this, reference));
  return object.get();
}

Result<host::ObjectReference> ServedHost::ReferenceOf(IDispatch* object) {
  ComPointer<IDispatch> ours;
  if (FAILED(object->QueryInterface(kServedObjectInterface, reinterpret_cast<void**>(ours.Receive())))) {
    return host::TypeMismatch("an object this host did not make");
  }
  return static_cast<ServedObject*>(ours.get())->reference();
}

HRESULT ServedHost::Invoke(host::ObjectReference object, DISPID member, WORD flags, DISPPARAMS* parameters,
                           VARIANT* result, EXCEPINFO* exception) {
  if (busy_ && busy_()) return RPC_E_SERVERCALL_RETRYLATER;
  std::vector<host::DispatchValue> arguments;
  // Integers passed by reference are the member's answer, as the host's
  // methods with such arguments answer.
  std::vector<LONG*> answerInto;
  // Automation passes the arguments last first (the named value of a
  // property put at the front), so the value to write ends up last.
  for (UINT index = parameters->cArgs; index-- > 0;) {
    if (parameters->rgvarg[index].vt == (VT_BYREF | VT_I4)) {
      answerInto.push_back(parameters->rgvarg[index].plVal);
      continue;
    }
    Result<host::DispatchValue> argument = FromVariant(parameters->rgvarg[index], *this);
    if (!argument) return DISP_E_TYPEMISMATCH;
    arguments.push_back(std::move(argument).value());
  }
  Result<host::DispatchValue> answer = dispatcher_(object, member, KindOf(flags), arguments);
  if (!answer) {
    const Failure& failure = answer.failure();
    if (exception == nullptr) return static_cast<HRESULT>(failure.number);
    *exception = EXCEPINFO{};
    exception->scode = static_cast<SCODE>(failure.number);
    exception->bstrSource = ::SysAllocString(L"Korrin test host");
    exception->bstrDescription = NewBstr(failure.description);
    return DISP_E_EXCEPTION;
  }
  if (!answerInto.empty()) return AnswerInto(answer.value(), answerInto);
  if (result == nullptr) return S_OK;
  if (Status converted = ToVariant(answer.value(), *this, *result); !converted) return E_FAIL;
  return S_OK;
}

}  // namespace korrin::testing
