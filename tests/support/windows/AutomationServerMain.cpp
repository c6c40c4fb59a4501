// A local automation server of Korrin's tests: serves the test model as
// "Inventor.Application" or "AutoCAD.Application" in a Wine prefix, or the
// model host as "Inventor.Application" for whole runs of the program.
//   korrin-test-automation-server /RegServer [model]  registers the classes (the reader's library beside it)
//   korrin-test-automation-server /UnregServer   removes them all
//   korrin-test-automation-server /class NAME -Embedding   what the system starts
#include "platform/windows/automation/AutomationHeaders.h"

#include <shellapi.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <map>
#include <iterator>
#include <string>
#include <vector>

#include "HostDispatcher.h"
#include "ModelHost.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "platform/windows/WideText.h"
#include "support/windows/ServedHost.h"
#include "support/windows/TestModel.h"
#include "support/windows/TestServerClasses.h"

namespace korrin::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A server no client called for this long ends, so none outlives its tests.
constexpr auto kIdleEnd = std::chrono::seconds(120);
constexpr UINT kIdleCheckMilliseconds = 1000;

std::wstring ClassKeyText(const CLSID& classId) {
  wchar_t text[64];
  ::StringFromGUID2(classId, text, 64);
  return text;
}

bool SetDefaultValue(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG set = ::RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
  return set == ERROR_SUCCESS;
}

bool SeenByClassLookups(const wchar_t* progId) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(progId) + L"\\CLSID").c_str(), 0, KEY_READ, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

// A local server's command line, or an in-process server's library.
bool WriteClass(HKEY root, const TestServerClass& served, const std::wstring& server, const wchar_t* serverKey) {
  const std::wstring classes = L"Software\\Classes\\";
  const std::wstring classKey = classes + L"CLSID\\" + ClassKeyText(served.classId);
  return SetDefaultValue(root, classes + served.progId + L"\\CLSID", ClassKeyText(served.classId)) &&
         SetDefaultValue(root, classKey + L"\\" + serverKey, server) &&
         SetDefaultValue(root, classKey + L"\\ProgID", served.progId);
}

void DeleteClass(HKEY root, const TestServerClass& served) {
  const std::wstring classes = L"Software\\Classes\\";
  ::RegDeleteTreeW(root, (classes + L"CLSID\\" + ClassKeyText(served.classId)).c_str());
  ::RegDeleteTreeW(root, (classes + served.progId).c_str());
}

bool Serves(const TestServerClass& served, const TestServerClass& known) {
  return std::wcscmp(served.option, known.option) == 0;
}

// The user's classes; Wine's class lookups read the machine's classes only,
// so there (in the prefix, which is the test's own) they are written as well.
// The test model's classes and the model host's share their names: the
// last registered serve them.
int Register(bool add, bool model) {
  wchar_t program[MAX_PATH];
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring folder(program);
  folder.erase(folder.find_last_of(L'\\') + 1);
  if (!add) {
    for (const TestServerClass& served :
         {kTestInventorClass, kTestAcadClass, kTestReaderClass, kModelInventorClass, kModelReaderClass}) {
      DeleteClass(HKEY_CURRENT_USER, served);
      DeleteClass(HKEY_LOCAL_MACHINE, served);
    }
    return 0;
  }
  for (const TestServerClass& served : model ? std::vector{kModelInventorClass, kTestAcadClass, kModelReaderClass}
                                             : std::vector{kTestInventorClass, kTestAcadClass, kTestReaderClass}) {
    const bool inProcess = Serves(served, kTestReaderClass) || Serves(served, kModelReaderClass);
    const std::wstring server = inProcess ? folder + kTestReaderLibrary
                                          : L"\"" + std::wstring(program) + L"\" /class " + served.option;
    const wchar_t* serverKey = inProcess ? L"InprocServer32" : L"LocalServer32";
    if (!WriteClass(HKEY_CURRENT_USER, served, server, serverKey)) return 1;
    if (!SeenByClassLookups(served.progId) && !WriteClass(HKEY_LOCAL_MACHINE, served, server, serverKey)) return 1;
  }
  return 0;
}

// Rejects calls while the model is "busy", as a host does in a modal state:
// through the message filter where the system asks it, and through the
// served objects' answers where it does not.
class BusyFilter final : public IMessageFilter {
 public:
  void RejectFor(std::int32_t milliseconds) { busyUntil_ = Clock::now() + std::chrono::milliseconds(milliseconds); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IMessageFilter) {
      *object = static_cast<IMessageFilter*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  bool Busy() const { return Clock::now() < busyUntil_; }

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return Busy() ? SERVERCALL_RETRYLATER : SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

 private:
  Clock::time_point busyUntil_{};
};

class ServerServices final : public ModelServices {
 public:
  explicit ServerServices(BusyFilter& filter) : filter_(filter) {}

  void Block(std::int32_t milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  void EndProcess() override { ::ExitProcess(3); }
  void RejectCallsFor(std::int32_t milliseconds) override { filter_.RejectFor(milliseconds); }
  std::int32_t ProcessId() override { return static_cast<std::int32_t>(::GetCurrentProcessId()); }
  void Quit() override { ::PostQuitMessage(0); }
  std::int32_t NameLookups() override { return host != nullptr ? host->nameLookups() : 0; }

  ServedHost* host = nullptr;

 private:
  BusyFilter& filter_;
};

class Factory final : public IClassFactory {
 public:
  explicit Factory(IDispatch* application) : application_(application) {}

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
    return application_->QueryInterface(id, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  IDispatch* application_;
};

// Faults a test plants in a document's text, met when the model host first
// opens the document: "crash-first-open" ends the server inside the open,
// "hang-first-open" stops it answering for five minutes. NAME.crashed or
// NAME.hung beside the document holds the id of the server that met it and
// keeps the fault from the servers after.
void MeetPlantedFault(std::int32_t member, const std::vector<host::DispatchValue>& arguments) {
  if (member != host::members::kOpen || arguments.empty() || !arguments[0].holds<std::string>()) return;
  const std::wstring name = WideFromText(arguments[0].as<std::string>());
  std::ifstream file(std::filesystem::path(name), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  for (const auto& [key, marker] : {std::pair{"crash-first-open", L".crashed"}, std::pair{"hang-first-open", L".hung"}}) {
    const std::filesystem::path met(name + marker);
    if (text.find(key) == std::string::npos || std::filesystem::exists(met)) continue;
    std::ofstream(met) << ::GetCurrentProcessId() << "\n";
    if (std::wcscmp(marker, L".crashed") == 0) ::ExitProcess(3);
    ::Sleep(300000);
  }
}

// The model host served through the stand-in's dispatcher, its documents
// described by nothing but their files; it quits as a host does. A view's
// window and camera are answered as the host answers them: the window's
// handle is the system's, of a window the server makes for the view, and
// the camera is an object of its own whose orientation is applied to the
// model's view.
class ServedModelHost {
 public:
  ServedModelHost() { host_.release = {kModelReleaseMajor, 0}; }
  ~ServedModelHost() {
    for (const auto& [view, window] : windows_) ::DestroyWindow(window);
  }

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments) {
    namespace m = host::members;
    MeetPlantedFault(member, arguments);
    if (object.value >= kCameraBase) return Camera(host::ObjectReference{object.value - kCameraBase}, member, arguments);
    if (member == m::kViewWindow || member == m::kViewCamera || member == m::kWindowExtents) {
      // Only a view has these; the dispatcher says whether the object is one.
      if (Result<host::DispatchValue> view = dispatcher_.Invoke(object, m::kViewWindow, host::InvokeKind::PropertyGet, {});
          !view) {
        return view.failure();
      }
      if (member == m::kViewCamera) return host::DispatchValue(host::ObjectReference{kCameraBase + object.value});
      if (member == m::kWindowExtents) return ExtentsOf(WindowOf(object));
      return host::DispatchValue(static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(WindowOf(object))));
    }
    Result<host::DispatchValue> result = dispatcher_.Invoke(object, member, kind, arguments);
    if (result && object == host::kApplicationObject && member == m::kQuit) ::PostQuitMessage(0);
    return result;
  }

 private:
  static constexpr std::uint64_t kCameraBase = std::uint64_t{1} << 40;

  HWND WindowOf(host::ObjectReference view) {
    HWND& window = windows_[view.value];
    if (window == nullptr) {
      window = ::CreateWindowExW(0, L"STATIC", L"Model view", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    return window;
  }

  // Top, left, height and width of the window, in that order.
  static Result<host::DispatchValue> ExtentsOf(HWND window) {
    RECT box{};
    if (!::GetWindowRect(window, &box)) return host::ObjectDisconnected();
    return host::DispatchValue(host::DispatchArray{std::int32_t{box.top}, std::int32_t{box.left},
                                                   std::int32_t{box.bottom - box.top},
                                                   std::int32_t{box.right - box.left}});
  }

  Result<host::DispatchValue> Camera(host::ObjectReference view, std::int32_t member,
                                     const std::vector<host::DispatchValue>& arguments) {
    namespace m = host::members;
    if (member == m::kCameraViewOrientation) {
      if (arguments.size() != 1 || !arguments[0].holds<std::int32_t>()) return host::TypeMismatch("orientation");
      orientations_[view.value] = arguments[0].as<std::int32_t>();
      return host::DispatchValue();
    }
    if (member != m::kCameraApply) return host::MemberNotFound();
    return dispatcher_.Invoke(view, m::kCameraOrientation, host::InvokeKind::Method,
                              {host::DispatchValue(orientations_[view.value])});
  }

  ModelFiles files_;
  ModelHost host_{files_};
  standin::HostDispatcher dispatcher_{host_};
  std::map<std::uint64_t, HWND> windows_;
  std::map<std::uint64_t, std::int32_t> orientations_;
};

int Serve(const TestServerClass& served) {
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  BusyFilter filter;
  IMessageFilter* previous = nullptr;
  ::CoRegisterMessageFilter(&filter, &previous);
  ServerServices services(filter);
  TestModel model(services);
  ServedModelHost modelHost;
  const bool servesModelHost = Serves(served, kModelInventorClass);
  std::atomic<Clock::time_point> lastCall{Clock::now()};
  int status = 0;
  {
    ServedHost host([&](host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                        const std::vector<host::DispatchValue>& arguments) {
      lastCall = Clock::now();
      if (servesModelHost) return modelHost.Invoke(object, member, kind, arguments);
      return model.Invoke(object, member, kind, arguments);
    });
    host.SetBusy([&filter] { return filter.Busy(); });
    services.host = &host;
    IDispatch* application = host.DispatchOf(host::kApplicationObject);
    Factory factory(application);
    DWORD classCookie = 0;
    DWORD activeCookie = 0;
    // One server process per instance, as a host program is.
    if (FAILED(::CoRegisterClassObject(served.classId, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                       &classCookie)) ||
        FAILED(::RegisterActiveObject(application, served.classId, ACTIVEOBJECT_STRONG, &activeCookie))) {
      status = 3;
    } else {
      const UINT_PTR timer = ::SetTimer(nullptr, 0, kIdleCheckMilliseconds, nullptr);
      MSG message;
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && Clock::now() - lastCall.load() > kIdleEnd) break;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      ::KillTimer(nullptr, timer);
      ::RevokeActiveObject(activeCookie, nullptr);
      ::CoRevokeClassObject(classCookie);
    }
    ::CoDisconnectObject(application, 0);
  }
  ::CoRegisterMessageFilter(previous, nullptr);
  ::CoUninitialize();
  return status;
}

}  // namespace
}  // namespace korrin::testing

int main() {
  using namespace korrin::testing;
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> options(arguments + 1, arguments + count);
  ::LocalFree(arguments);
  const TestServerClass* served = nullptr;
  for (std::size_t index = 0; index < options.size(); ++index) {
    const std::wstring& option = options[index];
    if (_wcsicmp(option.c_str(), L"/RegServer") == 0) {
      return Register(true, index + 1 < options.size() && _wcsicmp(options[index + 1].c_str(), L"model") == 0);
    }
    if (_wcsicmp(option.c_str(), L"/UnregServer") == 0) return Register(false, false);
    if (_wcsicmp(option.c_str(), L"/class") == 0 && index + 1 < options.size()) {
      const std::wstring& name = options[++index];
      for (const TestServerClass* known : {&kTestInventorClass, &kTestAcadClass, &kModelInventorClass}) {
        if (_wcsicmp(name.c_str(), known->option) == 0) served = known;
      }
    }
  }
  if (served == nullptr) return 64;
  return Serve(*served);
}
