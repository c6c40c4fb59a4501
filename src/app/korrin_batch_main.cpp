#include <unistd.h>

#include <QGuiApplication>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchCommandLineArguments.h"
#include "app/BatchJob.h"
#include "app/InterruptRequests.h"
#include "app/StandinPlatform.h"
#include "platform/ProgramFolders.h"
#include "platform/linux/RuntimeFolder.h"
#include "platform/linux/QtPrinters.h"

int main(int argc, char** argv) {
  // The stand-in host renders what it prints, which needs the toolkit's
  // fonts, but korrin-batch shows no window: it draws offscreen unless told
  // otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  korrin::PrepareRuntimeFolder();
  QGuiApplication application(argc, argv);
  const std::vector<std::string> arguments = korrin::ArgumentTexts(argc, argv);
  const korrin::QtPrinters printers;
  return korrin::RunBatchCommand(arguments, korrin::ProgramFolder(), printers, [&](const korrin::BatchRequest& request) {
    korrin::InstallInterruptHandler();
    korrin::StandinPlatform platform;
    korrin::BatchPorts ports{platform.registry,
                             platform.connector,
                             platform.processes,
                             printers,
                             {korrin::ProgramFolder(), korrin::TempFolder()},
                             std::cout,
                             std::cerr,
                             isatty(STDERR_FILENO) == 1,
                             korrin::AcadTemplateFolder(),
                             &platform.watcher};
    return korrin::RunBatchJob(request, ports);
  });
}
