#pragma once

#include "engine/ExportContext.h"
#include "host/StandinFixture.h"
#include "support/FakeProcessTable.h"
#include "support/RecordingEventPump.h"
#include "support/RecordingRunView.h"
#include "support/ScriptedDialogs.h"

namespace korrin::testing {

// The stand-in host with the ports a run's steps use: scripted boxes, a
// recorded run log, an abort flag, a process list, and a time limit that
// counts its own reads, so no test ever waits for real.
class EngineFixture : public StandinFixture {
 protected:
  EngineFixture() {
    events_.onYield = [this](int) { Advance(std::chrono::milliseconds(10)); };
    auto reads = std::make_shared<HostWaitLimit::Clock::time_point>();
    limit_.limit = std::chrono::seconds(60);
    limit_.now = [reads] { return *reads += std::chrono::seconds(1); };
  }

  ExportContext Context(const std::string& hostVersion = "7.0") {
    return ExportContext{Host(),      registry_, dialogs_,           log_,  abort_,  processes_, options_, kTag,
                         hostVersion, "*.IPT",   "/cfg/dwgout.ini", false, limit_, std::nullopt};
  }

  ScriptedDialogs dialogs_;
  RecordingRunView view_;
  RecordingEventPump events_;
  RunLog log_{view_, events_};
  AbortFlag abort_;
  FakeProcessTable processes_;
  ExportTemplateLines options_;
  HostWaitLimit limit_;
};

}  // namespace korrin::testing
