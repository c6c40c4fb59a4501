#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/StandinPlatform.h"
#include "frontend/HostTimeouts.h"
#include "frontend/RunLogFiles.h"
#include "platform/ProgramFolders.h"
#include "platform/linux/QtPrinters.h"
#include "platform/linux/RuntimeFolder.h"
#include "ui/Form1.h"
#include "ui/QtDialogs.h"

// The windowed program: the main window over the stand-in host.
int main(int argc, char** argv) {
  korrin::PrepareRuntimeFolder();
  QApplication application(argc, argv);
  QApplication::setApplicationName("Korrin");
  korrin::QtPrinters printers;
  korrin::StandinPlatform platform;
  korrin::QtDialogs dialogs;
  // The same time limits on the host as korrin-batch's; a variable that
  // holds no number is said and the defaults hold.
  const korrin::HostTimeoutsRead timeouts = korrin::HostTimeoutsFromEnvironment();
  korrin::Form1Ports ports{platform.registry, platform.connector, platform.processes, printers, dialogs,
                           {korrin::ProgramFolder(), korrin::TempFolder()}, korrin::AcadTemplateFolder(),
                           &platform.watcher};
  ports.waitLimit.limit = std::chrono::seconds(timeouts.timeouts.hostSeconds);
  ports.callDeadlines = timeouts.timeouts.Deadlines();
  ports.runLogFolder = korrin::RunLogFolderFromEnvironment();
  korrin::Form1 form(std::move(ports));
  dialogs.SetOwner(&form);
  if (!timeouts.problem.empty()) dialogs.ShowMessage(timeouts.problem);
  // A start that cannot go on has told the user why; the window never shows.
  if (!form.Load()) return 1;
  form.show();
  // For the start-up benchmark: once the window's first show has been
  // handled, say so and end at once, without the closing steps.
  if (!qEnvironmentVariableIsEmpty("KORRIN_QUIT_WHEN_SHOWN")) {
    QTimer::singleShot(0, [] {
      std::puts("Window shown");
      std::fflush(stdout);
      std::_Exit(0);
    });
  }
  return QApplication::exec();
}
