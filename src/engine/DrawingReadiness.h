#pragma once

#include <string>

#include "engine/HostWait.h"
#include "engine/RunLog.h"
#include "host/Application.h"
#include "ports/ProcessTable.h"

namespace korrin {

// What the readiness check needs of the run.
struct DrawingCheck {
  host::Application& host;
  RunLog& log;
  ProcessTable& processes;
  std::string hostVersionNumber;  // "7.0"
  bool skipReferenceCheck = true;  // the main window's "Skip RefCheck"
  HostWaitLimit waitLimit;
};

// Waits until the host has computed the views of the active drawing's sheet
// and checks that the drawing's references resolve. "" when the drawing may
// be exported or printed, otherwise the line for the run log. The wait for
// the views ends at the run's time limit with a line that says so.
std::string CheckDrawingReady(DrawingCheck& check);

}  // namespace korrin
