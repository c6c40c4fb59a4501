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
constexpr const char* kAcadLogFileName = "acad.log";

}  // namespace

ProcessHostConnector::ProcessHostConnector(Registry& registry) : registry_(registry) {}

void ProcessHostConnector::SetCallWaits(EventPump* pump, host::CallDeadlines deadlines) {
  pump_.target = pump;
  deadlines_ = deadlines;
}

Result<ProcessHostConnector::Connection> ProcessHostConnector::ConnectTo(const std::string& folder, pid_t pid) {
  auto channel = SocketDispatchChannel::Connect(HostSocketPath(folder, pid), deadlines_.query, pump_);
  if (!channel) return channel.failure();
  return Connection{std::move(channel).value(), pid};
}

Result<ProcessHostConnector::Connection> ProcessHostConnector::ConnectToRunning(const std::string& folder) {
  launcher_.ReapEnded();
  auto running = RunningHosts(folder);
  if (!running) return host::OperationUnavailable();
  for (const pid_t pid : running.value()) {
    auto connected = ConnectTo(folder, pid);
    if (connected) return connected;
    // A process that ended since the folder was read is passed over; one
    // that runs but does not take us is the one that runs, and it is busy.
    if (!NothingListens(connected.failure())) return host::OperationUnavailable();
  }
  return host::OperationUnavailable();
}

Result<ProcessHostConnector::Connection> ProcessHostConnector::StartAndConnect(
    const std::string& program, const std::vector<std::string>& arguments, const std::string& logFile,
    const std::string& folder) {
  launcher_.ReapEnded();
  auto started = launcher_.Start(program, arguments, logFile);
  if (!started) return started.failure();
  return ConnectTo(folder, started.value());
}

Result<std::shared_ptr<host::Application>> ProcessHostConnector::GetRunning() {
  if (connected_ && connected_->Usable()) return std::shared_ptr<host::Application>(connected_);
  connected_.reset();
  auto connected = ConnectToRunning(HostSocketFolderPath());
  if (!connected) return connected.failure();
  return Keep(std::move(connected).value());
}

std::shared_ptr<host::Application> ProcessHostConnector::Keep(Connection connection) {
  connected_ = std::make_shared<ProcessChannelApplication>(std::move(connection.channel), deadlines_, connection.pid,
                                                           &launcher_);
  return connected_;
}

std::shared_ptr<host::Acad> ProcessHostConnector::KeepAcad(Connection connection) {
  acad_ = std::make_shared<ProcessChannelAcad>(std::move(connection.channel), deadlines_, connection.pid);
  return acad_;
}

Result<std::shared_ptr<host::Application>> ProcessHostConnector::Create() {
  const std::string programFolder = HostInstallFolder(registry_);
  if (programFolder.empty()) return Failure{kNotInstalled, "Invalid class string"};
  auto connected = StartAndConnect(programFolder + kHostImageName, {}, programFolder + kHostLogFileName,
                                   HostSocketFolderPath());
  if (!connected) return connected.failure();
  return Keep(std::move(connected).value());
}

Result<std::unique_ptr<host::Apprentice>> ProcessHostConnector::NewApprentice() {
  return NewStandinApprentice(registry_, documentReads_);
}

Result<std::shared_ptr<host::Acad>> ProcessHostConnector::GetRunningAcad() {
  if (acad_ && acad_->Usable()) return std::shared_ptr<host::Acad>(acad_);
  acad_.reset();
  auto connected = ConnectToRunning(AcadSocketFolderPath());
  if (!connected) return connected.failure();
  return KeepAcad(std::move(connected).value());
}

Result<std::shared_ptr<host::Acad>> ProcessHostConnector::CreateAcad() {
  const std::string programFolder = AcadProgramFolder(registry_);
  if (programFolder.empty()) return Failure{kNotInstalled, "Invalid class string"};
  auto connected = StartAndConnect(programFolder + kAcadImageName, {kAcadArgument}, programFolder + kAcadLogFileName,
                                   AcadSocketFolderPath());
  if (!connected) return connected.failure();
  return KeepAcad(std::move(connected).value());
}

}  // namespace korrin::standin
