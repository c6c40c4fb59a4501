#include "ProcessHostConnector.h"

#include "AcadInstallation.h"
#include "StandinReaders.h"
#include "host/ChannelFailures.h"
#include "host/HostInstallation.h"
#include "install/HostPrograms.h"
#include "platform/linux/HostSocketFolder.h"

namespace korrin::standin {
namespace {

constexpr long kNotInstalled = -2147221005;
// The host's standard error, kept in its installation so that what a
// crashed host said can be read after the run.
constexpr const char* kHostLogFileName = "Inventor.log";

}  // namespace

ProcessHostConnector::ProcessHostConnector(Registry& registry) : registry_(registry) {}

void ProcessHostConnector::SetCallWaits(EventPump* pump, host::CallDeadlines deadlines) {
  pump_.target = pump;
  deadlines_ = deadlines;
}

Result<std::shared_ptr<ProcessChannelApplication>> ProcessHostConnector::ConnectTo(pid_t pid) {
  auto channel = SocketDispatchChannel::Connect(HostSocketPath(HostSocketFolderPath(), pid), deadlines_.query, pump_);
  if (!channel) return channel.failure();
  return std::make_shared<ProcessChannelApplication>(std::move(channel).value(), deadlines_, pid, &launcher_);
}

Result<std::shared_ptr<host::Application>> ProcessHostConnector::GetRunning() {
  launcher_.ReapEnded();
  if (connected_ && connected_->Usable()) return std::shared_ptr<host::Application>(connected_);
  connected_.reset();
  auto hosts = RunningHosts(HostSocketFolderPath());
  if (!hosts) return host::OperationUnavailable();
  for (const pid_t pid : hosts.value()) {
    auto connected = ConnectTo(pid);
    if (connected) {
      connected_ = std::move(connected).value();
      return std::shared_ptr<host::Application>(connected_);
    }
    // A host that ended since the folder was read is passed over; one that
    // runs but does not take us is the host that runs, and it is busy.
    if (!NothingListens(connected.failure())) return host::OperationUnavailable();
  }
  return host::OperationUnavailable();
}

Result<std::shared_ptr<host::Application>> ProcessHostConnector::Create() {
  launcher_.ReapEnded();
  const std::string programFolder = HostInstallFolder(registry_);
  if (programFolder.empty()) return Failure{kNotInstalled, "Invalid class string"};
  auto started = launcher_.Start(programFolder + kHostImageName, {}, programFolder + kHostLogFileName);
  if (!started) return started.failure();
  auto connected = ConnectTo(started.value());
  if (!connected) return connected.failure();
  connected_ = std::move(connected).value();
  return std::shared_ptr<host::Application>(connected_);
}

Result<std::unique_ptr<host::Apprentice>> ProcessHostConnector::NewApprentice() {
  return NewStandinApprentice(registry_, documentReads_);
}

Result<std::shared_ptr<host::Acad>> ProcessHostConnector::GetRunningAcad() {
  if (!acad_ || acad_->exited()) return host::OperationUnavailable();
  return std::shared_ptr<host::Acad>(acad_);
}

Result<std::shared_ptr<host::Acad>> ProcessHostConnector::CreateAcad() {
  if (!AcadInstalled(registry_)) return Failure{kNotInstalled, "Invalid class string"};
  acad_ = std::make_shared<StandinAcad>();
  return std::shared_ptr<host::Acad>(acad_);
}

}  // namespace korrin::standin
