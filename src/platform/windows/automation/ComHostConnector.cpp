#include "platform/windows/automation/ComHostConnector.h"

#include "platform/windows/automation/AutomationHeaders.h"

#include <algorithm>
#include <iterator>

#include "host/ChannelApprentice.h"
#include "host/ChannelFailures.h"
#include "platform/windows/automation/ComText.h"

namespace korrin {
namespace {

Result<CLSID> ClassNamed(const std::wstring& className) {
  CLSID classId{};
  const HRESULT found = ::CLSIDFromProgID(className.c_str(), &classId);
  if (FAILED(found)) return Failure{static_cast<long>(found), "Invalid class string"};
  return classId;
}

// The server process behind a new or running instance: the one process of
// the class's image that was not there before, or the only one there is.
std::optional<ServerProcess> FindServer(const std::wstring& image, const std::set<DWORD>& before) {
  if (image.empty()) return std::nullopt;
  const std::set<DWORD> after = ProcessesNamed(image);
  std::set<DWORD> started;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::inserter(started, started.end()));
  if (started.size() == 1) return ServerProcess::Open(*started.begin());
  if (started.empty() && after.size() == 1) return ServerProcess::Open(*after.begin());
  return std::nullopt;
}

Result<ComPointer<IDispatch>> AutomationOf(IUnknown* object) {
  ComPointer<IDispatch> dispatch;
  const HRESULT asked = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Receive()));
  if (FAILED(asked)) return FailureOf(asked);
  return dispatch;
}

}  // namespace

Result<std::shared_ptr<ComDispatchChannel>> ConnectToRunningServer(const std::wstring& className, EventPump* pump) {
  Result<CLSID> classId = ClassNamed(className);
  if (!classId) return classId.failure();
  ComPointer<IUnknown> running;
  const HRESULT got = ::GetActiveObject(classId.value(), nullptr, running.Receive());
  if (FAILED(got)) return FailureOf(got);
  Result<ComPointer<IDispatch>> application = AutomationOf(running.get());
  if (!application) return application.failure();
  return std::make_shared<ComDispatchChannel>(std::move(application).value(), pump,
                                              FindServer(LocalServerImage(classId.value()), {}));
}

Result<std::shared_ptr<ComDispatchChannel>> StartLocalServer(const std::wstring& className, EventPump* pump) {
  Result<CLSID> classId = ClassNamed(className);
  if (!classId) return classId.failure();
  const std::wstring image = LocalServerImage(classId.value());
  const std::set<DWORD> before = image.empty() ? std::set<DWORD>{} : ProcessesNamed(image);
  ComPointer<IDispatch> application;
  const HRESULT created = ::CoCreateInstance(classId.value(), nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                             reinterpret_cast<void**>(application.Receive()));
  if (FAILED(created)) return FailureOf(created);
  return std::make_shared<ComDispatchChannel>(std::move(application), pump, FindServer(image, before));
}

Result<std::shared_ptr<ComDispatchChannel>> StartInProcessServer(const std::wstring& className, EventPump* pump) {
  Result<CLSID> classId = ClassNamed(className);
  if (!classId) return classId.failure();
  ComPointer<IDispatch> reader;
  const HRESULT created = ::CoCreateInstance(classId.value(), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                             reinterpret_cast<void**>(reader.Receive()));
  if (FAILED(created)) return FailureOf(created);
  return std::make_shared<ComDispatchChannel>(std::move(reader), pump, std::nullopt);
}

ComHostConnector::ComHostConnector(AutomationClasses classes)
    : classes_(std::move(classes)), apartment_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

Result<std::shared_ptr<ComDispatchChannel>> ComHostConnector::ConnectToRunning(const std::wstring& className) {
  if (FAILED(apartment_)) return FailureOf(apartment_);
  return ConnectToRunningServer(className, &pump_);
}

Result<std::shared_ptr<ComDispatchChannel>> ComHostConnector::StartServer(const std::wstring& className) {
  if (FAILED(apartment_)) return FailureOf(apartment_);
  return StartLocalServer(className, &pump_);
}

void ComHostConnector::SetCallWaits(EventPump* pump, host::CallDeadlines deadlines) {
  pump_.target = pump;
  deadlines_ = deadlines;
}

Result<std::shared_ptr<host::Application>> ComHostConnector::GetRunning() {
  if (connected_ && connected_->Usable()) return std::shared_ptr<host::Application>(connected_);
  connected_.reset();
  Result<std::shared_ptr<ComDispatchChannel>> channel = ConnectToRunning(classes_.application);
  if (!channel) return channel.failure();
  connected_ = std::make_shared<ComApplication>(std::move(channel).value(), deadlines_);
  return std::shared_ptr<host::Application>(connected_);
}

Result<std::shared_ptr<host::Application>> ComHostConnector::Create() {
  Result<std::shared_ptr<ComDispatchChannel>> channel = StartServer(classes_.application);
  if (!channel) return channel.failure();
  connected_ = std::make_shared<ComApplication>(std::move(channel).value(), deadlines_);
  return std::shared_ptr<host::Application>(connected_);
}

Result<std::unique_ptr<host::Apprentice>> ComHostConnector::NewApprentice() {
  if (Result<CLSID> classId = ClassNamed(classes_.documentReader); !classId) return classId.failure();
  // A new server per use, served inside this process as the host ships it.
  Result<std::shared_ptr<ComDispatchChannel>> channel = StartInProcessServer(classes_.documentReader, &pump_);
  if (!channel) return channel.failure();
  return std::unique_ptr<host::Apprentice>(std::make_unique<host::ChannelApprentice>(std::move(channel).value(), deadlines_));
}

Result<std::shared_ptr<host::Acad>> ComHostConnector::GetRunningAcad() {
  if (acad_ && acad_->Usable()) return std::shared_ptr<host::Acad>(acad_);
  acad_.reset();
  Result<std::shared_ptr<ComDispatchChannel>> channel = ConnectToRunning(classes_.acad);
  if (!channel) return channel.failure();
  acad_ = std::make_shared<ComAcad>(std::move(channel).value(), deadlines_);
  return std::shared_ptr<host::Acad>(acad_);
}

Result<std::shared_ptr<host::Acad>> ComHostConnector::CreateAcad() {
  Result<std::shared_ptr<ComDispatchChannel>> channel = StartServer(classes_.acad);
  if (!channel) return channel.failure();
  acad_ = std::make_shared<ComAcad>(std::move(channel).value(), deadlines_);
  return std::shared_ptr<host::Acad>(acad_);
}

}  // namespace korrin
