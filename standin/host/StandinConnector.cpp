#include "StandinConnector.h"

#include <filesystem>

#include "AcadInstallation.h"
#include "HostSessionFile.h"
#include "HostStartSettings.h"
#include "StandinReaders.h"
#include "StandinFailures.h"
#include "host/FileExists.h"
#include "host/HostInstallation.h"

namespace korrin::standin {
namespace {

constexpr long kNoRunningObject = -2147221021;
constexpr long kNotInstalled = -2147221005;

}  // namespace

StandinConnector::StandinConnector(Registry& registry, GeometryExchange* geometry, Clock now)
    : registry_(registry), geometry_(geometry), now_(std::move(now)) {}

Result<StandinSettings> StandinConnector::SettingsFromRegistry() {
  auto settings = HostStartSettings(registry_);
  if (!settings) return settings;
  if (now_) settings.value().now = now_;
  settings.value().geometry = geometry_;
  return settings;
}

std::string StandinConnector::SessionFile() {
  const std::string folder = HostInstallFolder(registry_);
  return folder.empty() ? std::string() : folder + kHostSessionFileName;
}

std::shared_ptr<FirstOpenRecord> StandinConnector::firstOpens() {
  if (const std::string folder = HostInstallFolder(registry_); !folder.empty()) {
    firstOpens_->KeepIn(folder + kFirstOpenRecordFileName);
  }
  return firstOpens_;
}

bool StandinConnector::HostProcessRuns() {
  const std::string session = SessionFile();
  if (running_ && running_->quit()) {
    // The instance quit: its process is gone with it.
    running_.reset();
    std::error_code ignored;
    if (!session.empty()) std::filesystem::remove(session, ignored);
    return false;
  }
  if (session.empty()) return running_ != nullptr;
  return FileExists(session);
}

bool StandinConnector::EndHostProcess() {
  const bool ran = HostProcessRuns();
  if (running_) running_->Terminate();
  running_.reset();
  if (const std::string session = SessionFile(); !session.empty()) {
    std::error_code ignored;
    std::filesystem::remove(session, ignored);
  }
  return ran;
}

Result<std::shared_ptr<host::Application>> StandinConnector::GetRunning() {
  if (!HostProcessRuns()) {
    if (running_) running_->Terminate();
    running_.reset();
    return Failure{kNoRunningObject, "Operation unavailable"};
  }
  if (!running_) {
    // A host another program started: it keeps what it read at its start.
    auto base = SettingsFromRegistry();
    if (!base) return Failure{kNoRunningObject, "Operation unavailable"};
    auto started = ReadHostSession(SessionFile(), std::move(base).value());
    if (!started) return Failure{kNoRunningObject, "Operation unavailable"};
    running_ = std::make_shared<StandinApplication>(std::move(*started), firstOpens());
  }
  return std::shared_ptr<host::Application>(running_);
}

Result<std::shared_ptr<host::Application>> StandinConnector::Create() {
  auto settings = SettingsFromRegistry();
  if (!settings) return settings.failure();
  if (const std::string session = SessionFile(); !session.empty()) {
    if (Status written = WriteHostSession(session, settings.value()); !written) return written.failure();
  }
  running_ = std::make_shared<StandinApplication>(std::move(settings).value(), firstOpens());
  return std::shared_ptr<host::Application>(running_);
}

Result<std::unique_ptr<host::Apprentice>> StandinConnector::NewApprentice() {
  return NewStandinApprentice(registry_, documentReads_);
}

Result<std::shared_ptr<host::Acad>> StandinConnector::GetRunningAcad() {
  if (!acad_ || acad_->exited()) return Failure{kNoRunningObject, "Operation unavailable"};
  return std::shared_ptr<host::Acad>(acad_);
}

Result<std::shared_ptr<host::Acad>> StandinConnector::CreateAcad() {
  if (!AcadInstalled(registry_)) return Failure{kNotInstalled, "Invalid class string"};
  acad_ = std::make_shared<StandinAcad>();
  return std::shared_ptr<host::Acad>(acad_);
}

}  // namespace korrin::standin
