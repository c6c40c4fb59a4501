#include "ProcessHostConnector.h"

#include <type_traits>

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
constexpr const char* kAcadLogFileName = "acad.log";

}  // namespace

ProcessHostConnector::ProcessHostConnector(Registry& registry) : registry_(registry) {}

void ProcessHostConnector::SetCallWaits(EventPump* pump, host::CallDeadlines deadlines) {
  pump_.target = pump;
  deadlines_ = deadlines;
}

Result<std::shared_ptr<SocketDispatchChannel>> ProcessHostConnector::ConnectTo(const std::string& folder, pid_t pid) {
  return SocketDispatchChannel::Connect(HostSocketPath(folder, pid), deadlines_.query, pump_);
}

template <typename Connected>
Result<std::shared_ptr<Connected>> ProcessHostConnector::ConnectToRunning(const std::string& folder) {
  auto running = RunningHosts(folder);
  if (!running) return host::OperationUnavailable();
  for (const pid_t pid : running.value()) {
    auto channel = ConnectTo(folder, pid);
    if (channel) {
      if constexpr (std::is_same_v<Connected, ProcessChannelApplication>) {
        return std::make_shared<Connected>(std::move(channel).value(), deadlines_, pid, &launcher_);
      } else {
        return std::make_shared<Connected>(std::move(channel).value(), deadlines_, pid);
      }
    }
    // A process that ended since the folder was read is passed over; one
    // that runs but does not take us is the one that runs, and it is busy.
    if (!NothingListens(channel.failure())) return host::OperationUnavailable();
  }
  return host::OperationUnavailable();
}

Result<std::shared_ptr<host::Application>> ProcessHostConnector::GetRunning() {
  launcher_.ReapEnded();
  if (connected_ && connected_->Usable()) return std::shared_ptr<host::Application>(connected_);
  connected_.reset();
  auto connected = ConnectToRunning<ProcessChannelApplication>(HostSocketFolderPath());
  if (!connected) return connected.failure();
  connected_ = std::move(connected).value();
  return std::shared_ptr<host::Application>(connected_);
}

Result<std::shared_ptr<host::Application>> ProcessHostConnector::Create() {
  launcher_.ReapEnded();
  const std::string programFolder = HostInstallFolder(registry_);
  if (programFolder.empty()) return Failure{kNotInstalled, "Invalid class string"};
  auto started = launcher_.Start(programFolder + kHostImageName, {}, programFolder + kHostLogFileName);
  if (!started) return started.failure();
  auto channel = ConnectTo(HostSocketFolderPath(), started.value());
  if (!channel) return channel.failure();
  connected_ =
      std::make_shared<ProcessChannelApplication>(std::move(channel).value(), deadlines_, started.value(), &launcher_);
  return std::shared_ptr<host::Application>(connected_);
}

Result<std::unique_ptr<host::Apprentice>> ProcessHostConnector::NewApprentice() {
  return NewStandinApprentice(registry_, documentReads_);
}

Result<std::shared_ptr<host::Acad>> ProcessHostConnector::GetRunningAcad() {
  launcher_.ReapEnded();
  if (acad_ && acad_->Usable()) return std::shared_ptr<host::Acad>(acad_);
  acad_.reset();
  auto connected = ConnectToRunning<ProcessChannelAcad>(AcadSocketFolderPath());
  if (!connected) return connected.failure();
  acad_ = std::move(connected).value();
  return std::shared_ptr<host::Acad>(acad_);
}

Result<std::shared_ptr<host::Acad>> ProcessHostConnector::CreateAcad() {
  launcher_.ReapEnded();
  const std::string programFolder = AcadProgramFolder(registry_);
  if (programFolder.empty()) return Failure{kNotInstalled, "Invalid class string"};
  auto started = launcher_.Start(programFolder + kAcadImageName, {kAcadArgument}, programFolder + kAcadLogFileName);
  if (!started) return started.failure();
  auto channel = ConnectTo(AcadSocketFolderPath(), started.value());
  if (!channel) return channel.failure();
  acad_ = std::make_shared<ProcessChannelAcad>(std::move(channel).value(), deadlines_, started.value());
  return std::shared_ptr<host::Acad>(acad_);
}

}  // namespace korrin::standin
