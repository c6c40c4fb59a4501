#pragma once

#include <memory>
#include <string>

#include "host/HostConnector.h"
#include "platform/windows/automation/ComApplication.h"
#include "ports/EventPump.h"

namespace korrin {

// The automation classes of the hosts, by their published names.
struct AutomationClasses {
  std::wstring application = L"Inventor.Application";
  std::wstring documentReader = L"Inventor.ApprenticeServerComponent";
  std::wstring acad = L"AutoCAD.Application";
};

// A channel to the running instance of a class, found in the running object
// table; fails with "Operation unavailable" when none runs.
Result<std::shared_ptr<ComDispatchChannel>> ConnectToRunningServer(const std::wstring& className, EventPump* pump);
// A channel to a new instance of a class as a local server. The channel
// knows the server's process when the class's registration names its
// program and one new process of that program appeared.
Result<std::shared_ptr<ComDispatchChannel>> StartLocalServer(const std::wstring& className, EventPump* pump);
// A channel to a new instance of a class served inside this process (the
// host's document reader); its calls are the caller's own and never wait
// for another process.
Result<std::shared_ptr<ComDispatchChannel>> StartInProcessServer(const std::wstring& className, EventPump* pump);

// The hosts of a Windows installation through automation: "get running"
// through the running object table, "create" as a local server, each in a
// process of its own. The connector makes its thread a single-threaded
// apartment (the message filter that keeps deadlines needs one) and leaves
// it so for the thread's life, since handles it gave out may outlive it.
// A class that is not registered fails with the system's "Invalid class
// string".
class ComHostConnector final : public host::HostConnector {
 public:
  explicit ComHostConnector(AutomationClasses classes = {});

  void SetCallWaits(EventPump* pump, host::CallDeadlines deadlines) override;

  Result<std::shared_ptr<host::Application>> GetRunning() override;
  Result<std::shared_ptr<host::Application>> Create() override;
  Result<std::unique_ptr<host::Apprentice>> NewApprentice() override;
  Result<std::shared_ptr<host::Acad>> GetRunningAcad() override;
  Result<std::shared_ptr<host::Acad>> CreateAcad() override;

 private:
  class ForwardingPump final : public EventPump {
   public:
    void Yield() override {
      if (target != nullptr) target->Yield();
    }
    void Pause() override {
      if (target != nullptr) target->Pause();
    }
    EventPump* target = nullptr;
  };

  Result<std::shared_ptr<ComDispatchChannel>> ConnectToRunning(const std::wstring& className);
  Result<std::shared_ptr<ComDispatchChannel>> StartServer(const std::wstring& className);

  AutomationClasses classes_;
  HRESULT apartment_;
  ForwardingPump pump_;
  host::CallDeadlines deadlines_;
  std::shared_ptr<ComApplication> connected_;
  std::shared_ptr<ComAcad> acad_;
};

}  // namespace korrin
