// The test model, or the model host's document reader, as an in-process
// automation server of the document reader's class: a new one for every
// instance made, as the program makes a new reader for every use.
#include "platform/windows/automation/AutomationHeaders.h"

#include <memory>
#include <mutex>
#include <vector>

#include "ModelApprentice.h"
#include "support/windows/ReaderDispatcher.h"
#include "support/windows/ServedHost.h"
#include "support/windows/TestModel.h"
#include "support/windows/TestServerClasses.h"

namespace korrin::testing {
namespace {

// Inside the caller's process there is nothing to end or make busy.
class InProcessServices final : public ModelServices {
 public:
  void Block(std::int32_t milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  void EndProcess() override {}
  void RejectCallsFor(std::int32_t) override {}
  std::int32_t ProcessId() override { return static_cast<std::int32_t>(::GetCurrentProcessId()); }
  void Quit() override {}
  std::int32_t NameLookups() override { return host != nullptr ? host->nameLookups() : 0; }

  ServedHost* host = nullptr;
};

struct Reader {
  InProcessServices services;
  TestModel model{services};
  ServedHost host{[this](host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                         const std::vector<host::DispatchValue>& arguments) {
    return model.Invoke(object, member, kind, arguments);
  }};
  Reader() { services.host = &host; }
};

// The model host's reader over files described by nothing but themselves,
// with no active project.
struct ModelReader {
  ModelFiles files;
  ModelApprentice reader{files, host::Release{kModelReleaseMajor, 0}, ""};
  ReaderDispatcher dispatcher{reader};
  ServedHost host{[this](host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                         const std::vector<host::DispatchValue>& arguments) {
    return dispatcher.Invoke(object, member, kind, arguments);
  }};
};

// Makes a new reader of its kind for every instance asked. Readers are kept
// until the process ends: the library never unloads, so their objects stay
// valid for whoever still holds one.
template <typename Made>
class ReaderFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    std::lock_guard lock(guard_);
    made_.push_back(std::make_unique<Made>());
    return made_.back()->host.DispatchOf(host::kApplicationObject)->QueryInterface(id, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  std::mutex guard_;
  std::vector<std::unique_ptr<Made>> made_;
};

ReaderFactory<Reader> factory;
ReaderFactory<ModelReader> modelFactory;

}  // namespace
}  // namespace korrin::testing

extern "C" HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID classId, REFIID id, void** object) {
  if (classId == korrin::testing::kTestReaderClass.classId) return korrin::testing::factory.QueryInterface(id, object);
  if (classId == korrin::testing::kModelReaderClass.classId) {
    return korrin::testing::modelFactory.QueryInterface(id, object);
  }
  *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDMETHODCALLTYPE DllCanUnloadNow() { return S_FALSE; }
