#pragma once

#include <memory>

#include "GeometryExchange.h"
#include "StandinAcad.h"
#include "StandinApplication.h"
#include "host/HostConnector.h"
#include "settings/Registry.h"

namespace korrin::standin {

// The stand-in host as the program reaches it: it runs inside the program's
// process. Starting it reads what an installed host reads from its registry
// at start (its release from the version tag, the STL resolutions, the ACIS
// version, the import repair switches); GetRunning finds the instance
// started last until it quits.
//
// An installed host (one with a program folder) also outlives the program,
// as a real one does: its session file says that it runs and what it read
// at its start, so the next program finds it running with those settings
// until it quits or its process is ended.
class StandinConnector final : public host::HostConnector {
 public:
  StandinConnector(Registry& registry, GeometryExchange* geometry, Clock now = {});

  Result<std::shared_ptr<host::Application>> GetRunning() override;
  Result<std::shared_ptr<host::Application>> Create() override;
  Result<std::unique_ptr<host::Apprentice>> NewApprentice() override;
  // AutoCAD runs once created, until it exits; it is created only where
  // the registry holds an AutoCAD installation.
  Result<std::shared_ptr<host::Acad>> GetRunningAcad() override;
  Result<std::shared_ptr<host::Acad>> CreateAcad() override;

  // Whether the host's process runs, and ending it as the system would:
  // the instance's calls fail from then on.
  bool HostProcessRuns();
  bool EndHostProcess();

  // How many document files the readers this connector made have read from
  // disk, all of them together, a file that would not read included.
  std::size_t DocumentReads() const { return *documentReads_; }

 private:
  Result<StandinSettings> SettingsFromRegistry();
  // The session file of the installed host; empty when it has no program folder.
  std::string SessionFile();

  Registry& registry_;
  GeometryExchange* geometry_;
  Clock now_;
  // Kept in the program folder when the host is installed (FirstOpenRecord).
  std::shared_ptr<FirstOpenRecord> firstOpens();
  std::shared_ptr<FirstOpenRecord> firstOpens_ = std::make_shared<FirstOpenRecord>();
  std::shared_ptr<StandinApplication> running_;
  std::shared_ptr<StandinAcad> acad_;
  // Shared with the readers, which may outlive the connector.
  std::shared_ptr<std::size_t> documentReads_ = std::make_shared<std::size_t>(0);
};

}  // namespace korrin::standin
