#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "GeometryExchange.h"
#include "ProcessChannelAcad.h"
#include "ProcessChannelApplication.h"
#include "host/HostConnector.h"
#include "platform/linux/HostProcessLauncher.h"
#include "ports/EventPump.h"
#include "settings/Registry.h"

namespace korrin::standin {

// The stand-in host as a program of its own: "Inventor.exe" in the
// installation's program folder, one process per instance, each reached
// through its socket in the hosts' folder. GetRunning connects to the oldest
// host of the user that still runs; Create starts the program and waits
// until it serves. AutoCAD is the same program as "acad.exe" in AutoCAD's
// program folder, found and started the same way through sockets of its own.
// The document reader stays in the caller's process, as the host's own
// reader is a component loaded into its caller.
class ProcessHostConnector final : public host::HostConnector {
 public:
  explicit ProcessHostConnector(Registry& registry);

  void SetCallWaits(EventPump* pump, host::CallDeadlines deadlines) override;

  Result<std::shared_ptr<host::Application>> GetRunning() override;
  Result<std::shared_ptr<host::Application>> Create() override;
  Result<std::unique_ptr<host::Apprentice>> NewApprentice() override;
  Result<std::shared_ptr<host::Acad>> GetRunningAcad() override;
  Result<std::shared_ptr<host::Acad>> CreateAcad() override;

 private:
  // Calls wait through whichever pump the current front end set.
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

  struct Connection {
    std::shared_ptr<SocketDispatchChannel> channel;
    pid_t pid = 0;
  };
  Result<Connection> ConnectTo(const std::string& folder, pid_t pid);
  // The oldest live process with a socket in the folder that takes us; it
  // fails with "Operation unavailable" when there is none, or when the one
  // that runs serves another client.
  Result<Connection> ConnectToRunning(const std::string& folder);
  // Starts the program and connects to it once it is ready.
  Result<Connection> StartAndConnect(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::string& logFile, const std::string& folder);
  // The connection becomes the host, or AutoCAD, the connector talks to.
  std::shared_ptr<host::Application> Keep(Connection connection);
  std::shared_ptr<host::Acad> KeepAcad(Connection connection);

  Registry& registry_;
  ForwardingPump pump_;
  host::CallDeadlines deadlines_;
  HostProcessLauncher launcher_{pump_};
  std::shared_ptr<ProcessChannelApplication> connected_;
  std::shared_ptr<ProcessChannelAcad> acad_;
  std::shared_ptr<std::size_t> documentReads_ = std::make_shared<std::size_t>(0);
};

}  // namespace korrin::standin
