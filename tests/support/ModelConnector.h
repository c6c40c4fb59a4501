#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "ModelAcad.h"
#include "ModelApprentice.h"
#include "ModelFiles.h"
#include "ModelHost.h"
#include "host/HostConnector.h"

namespace korrin::testing {

// Hands out one model host at a time: Create makes a new one (the old one,
// if any, is left as it is), GetRunning finds it until it quits. With
// throughChannel set, the program gets the host as the automation client
// classes see it: typed calls become invokes on an in-process dispatch
// channel served by the host's dispatcher, as a host in another process is
// served.
class ModelConnector final : public host::HostConnector {
 public:
  ModelFiles files;
  bool throughChannel = false;
  std::string activeProjectFile;
  // Set: Create fails with it.
  std::optional<Failure> createFailure;
  int creates = 0;

  // The host last made; null before the first Create.
  ModelHost* host() const { return host_.get(); }
  ModelAcad& acad() { return *acad_; }

  Result<std::shared_ptr<host::Application>> GetRunning() override;
  Result<std::shared_ptr<host::Application>> Create() override;
  Result<std::unique_ptr<host::Apprentice>> NewApprentice() override;
  Result<std::shared_ptr<host::Acad>> GetRunningAcad() override { return std::shared_ptr<host::Acad>(acad_); }
  Result<std::shared_ptr<host::Acad>> CreateAcad() override { return std::shared_ptr<host::Acad>(acad_); }

 private:
  std::shared_ptr<ModelHost> host_;
  std::shared_ptr<host::Application> served_;
  std::shared_ptr<ModelAcad> acad_ = std::make_shared<ModelAcad>();
};

}  // namespace korrin::testing
