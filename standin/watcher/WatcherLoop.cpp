#include "WatcherLoop.h"

#include <signal.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <memory>

#include "WatcherLog.h"
#include "platform/ProgramFolders.h"
#include "platform/linux/WindowLinkServer.h"

namespace korrin::standin {
namespace {

// The watcher is another program than Korrin: it spells its names itself, so
// a slip on either side shows in the tests instead of agreeing with itself.
constexpr const char* kWindowTitle = "TMB";
constexpr const char* kBoxClass = "ThunderRT6TextBox";
constexpr const char* kLogFileName = "Tembrel.log";

// How soon a stop request is noticed while no text arrives.
constexpr std::chrono::milliseconds kStopCheckInterval{200};
constexpr int kExitStopped = 0;
constexpr int kExitNoWindow = 1;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int /*signal*/) { stopRequested = 1; }

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT}) ::sigaction(signal, &action, nullptr);
}

void LogBoxText(WindowLinkServer& window, const WatcherLog& log, std::ostream& errors) {
  if (window.BoxText().empty()) return;
  if (const Status logged = log.Append(window.BoxText(), std::time(nullptr)); !logged) {
    errors << "Tembrel: cannot write " << log.path() << ": " << logged.failure().description << '\n';
  }
  window.ClearBox();
}

}  // namespace

int RunWatcher(std::ostream& errors) {
  InstallStopHandlers();
  const Result<std::unique_ptr<WindowLinkServer>> window = WindowLinkServer::Open(kWindowTitle, kBoxClass);
  if (!window) {
    errors << "Tembrel: cannot open its window: " << window.failure().description << '\n';
    return kExitNoWindow;
  }
  const WatcherLog log((std::filesystem::path(TempFolder()) / kLogFileName).string());
  while (stopRequested == 0) {
    window.value()->ServeOnce(kStopCheckInterval);
    LogBoxText(*window.value(), log, errors);
  }
  return kExitStopped;
}

}  // namespace korrin::standin
