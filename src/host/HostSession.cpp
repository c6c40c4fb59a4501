#include "host/HostSession.h"

#include <optional>
#include <string>

#include "host/ProcessOperations.h"

namespace korrin {
namespace {

constexpr std::string_view kHostProgram = "Inventor.exe";

// A host that takes the connection but never quits would keep the shutdown
// going for ever; after this many rounds what is left is ended.
constexpr int kLongestShutdown = 20;

std::string MoreInstancesQuestion(int count) {
  return "More active instances of Inventor has been detected ( " + std::to_string(count) +
         " )\rKorrin must shut down these instances down to ensure correct functionality( Any documents will be "
         "closed without save )\rContinue ?";
}

constexpr const char* kUnreachableQuestion =
    "Error connecting to active Inventor\rInventor instance must be shut down. Continue ?";
constexpr const char* kOpenDocumentsQuestion =
    "There are documents open in current Inventor session\rIt is not recommended to have any documents "
    "openwhile converting\rShould Korrin close these documents ( no save ) ?";
constexpr const char* kCouldNotClose = "Could not close documents";

std::int32_t OpenDocumentCount(host::Application& host) {
  const auto count = host.DocumentCount();
  return count ? count.value() : 0;
}

bool ShutDownEveryInstance(const HostPreparation& preparation, int count) {
  for (int round = 0; count > 0 && round < kLongestShutdown; ++round) {
    if (auto found = preparation.connector.GetRunning(); found) {
      (void)found.value()->Quit();
    } else {
      KillHostProcesses(preparation.processes);
    }
    preparation.events.Pause();
    count = CountProcesses(preparation.processes, kHostProgram);
  }
  KillHostProcesses(preparation.processes);
  return true;
}

// Closes the documents one by one; false when one will not close.
bool CloseEveryDocument(host::Application& host, Dialogs& dialogs) {
  while (true) {
    const std::int32_t remembered = OpenDocumentCount(host);
    if (remembered == 0) return true;
    if (auto active = host.ActiveDocument(); active) (void)host.documents().Close(active.value(), std::nullopt);
    if (OpenDocumentCount(host) == remembered) {
      dialogs.ShowMessage(kCouldNotClose);
      return false;
    }
  }
}

bool PrepareTheOneInstance(const HostPreparation& preparation) {
  auto running = preparation.connector.GetRunning();
  if (!running) {
    if (!preparation.dialogs.AskYesNo(kUnreachableQuestion)) return false;
    KillHostProcesses(preparation.processes);
    return true;
  }
  host::Application& host = *running.value();
  if (OpenDocumentCount(host) == 0) return true;
  if (!preparation.dialogs.AskYesNo(kOpenDocumentsQuestion)) return true;  // the documents stay open
  return CloseEveryDocument(host, preparation.dialogs);
}

}  // namespace

bool GetOrStartHost(host::HostConnector& connector, std::shared_ptr<host::Application>& host) {
  host.reset();
  if (auto running = connector.GetRunning(); running) {
    host = std::move(running).value();
    return true;
  }
  if (auto created = connector.Create(); created) {
    host = std::move(created).value();
    return true;
  }
  return false;
}

bool PrepareHost(const HostPreparation& preparation) {
  const int count = CountProcesses(preparation.processes, kHostProgram);
  if (count > 1) {
    if (!preparation.dialogs.AskYesNo(MoreInstancesQuestion(count))) return false;
    return ShutDownEveryInstance(preparation, count);
  }
  if (count == 1) return PrepareTheOneInstance(preparation);
  return true;
}

}  // namespace korrin
