#pragma once

#include <memory>

#include "host/Acad.h"
#include "host/Application.h"
#include "host/Apprentice.h"
#include "host/DispatchChannel.h"
#include "ports/EventPump.h"
#include "ports/Result.h"

namespace korrin::host {

// The one place that knows which host the program talks to and how: it
// finds the running instance, starts a new one, and makes document readers.
// A handle to the application is shared; dropping the last one releases the
// host without ending it.
class HostConnector {
 public:
  virtual ~HostConnector() = default;

  // The host instance the program already talks to; fails when none runs.
  virtual Result<std::shared_ptr<Application>> GetRunning() = 0;
  // Starts a new host instance.
  virtual Result<std::shared_ptr<Application>> Create() = 0;
  virtual Result<std::unique_ptr<Apprentice>> NewApprentice() = 0;

  // How calls to a host in another process wait: through the front end's
  // pump (nothing: without yielding) and within these deadlines. A host
  // inside the program's own process has no use for either.
  virtual void SetCallWaits(EventPump* /*pump*/, CallDeadlines /*deadlines*/) {}

  // AutoCAD, which finishes drawing exports: the instance that runs, or a
  // new one. A connector that knows no AutoCAD fails both.
  virtual Result<std::shared_ptr<Acad>> GetRunningAcad() { return NoAcad(); }
  virtual Result<std::shared_ptr<Acad>> CreateAcad() { return NoAcad(); }

 private:
  static Failure NoAcad() { return Failure{-2147221005, "Invalid class string"}; }
};

}  // namespace korrin::host
