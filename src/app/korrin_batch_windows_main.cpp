// korrin-batch for Windows: the same job as on Linux, over the system's
// registry, processes, watcher window and printers, driving the installed
// host through automation. Arguments arrive as UTF-16 and are read as UTF-8.
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchCommandLine.h"
#include "app/BatchCommandLineArguments.h"
#include "app/BatchJob.h"
#include "app/CatalogueReport.h"
#include "app/ConsoleDialogs.h"
#include "app/InterruptRequests.h"
#include "frontend/HostTimeouts.h"
#include "platform/ProgramFolders.h"
#include "platform/windows/MessageEventPump.h"
#include "platform/windows/MessageWindowLink.h"
#include "platform/windows/SpoolerPrinters.h"
#include "platform/windows/ToolhelpProcessTable.h"
#include "platform/windows/WindowsRegistry.h"
#include "platform/windows/automation/ComHostConnector.h"

// Last: winbase.h defines Yield() as nothing, which the ports above declare.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  // The program's own texts are UTF-8; a console shows them as such.
  SetConsoleOutputCP(CP_UTF8);
  const std::vector<std::string> arguments = korrin::ArgumentTexts(argc, argv);
  const korrin::HostTimeoutsRead environment = korrin::HostTimeoutsFromEnvironment();
  if (!environment.problem.empty()) {
    std::cerr << "korrin-batch: " << environment.problem << "\n";
    return korrin::kUsageErrorStatus;
  }
  const korrin::BatchCommandLine commandLine = korrin::ParseBatchCommandLine(arguments, environment.timeouts);
  if (!commandLine.request) {
    (commandLine.exitStatus == 0 ? std::cout : std::cerr) << commandLine.message;
    return commandLine.exitStatus;
  }
  korrin::SpoolerPrinters printers;
  if (commandLine.request->catalogue) {
    korrin::ConsoleDialogs dialogs(std::cerr, false);
    return korrin::PrintCatalogue(korrin::ProgramFolder(), std::cout, dialogs, printers) ? 0 : 1;
  }

  korrin::InstallInterruptHandler();
  korrin::WindowsRegistry registry;
  korrin::ComHostConnector connector;
  korrin::ToolhelpProcessTable processes;
  korrin::MessageWindowLink watcher;
  korrin::MessageEventPump messages;
  korrin::BatchPorts ports{registry,
                           connector,
                           processes,
                           printers,
                           {korrin::ProgramFolder(), korrin::TempFolder()},
                           std::cout,
                           std::cerr,
                           _isatty(_fileno(stderr)) != 0,
                           korrin::AcadTemplateFolder(),
                           &watcher,
                           &messages};
  return korrin::RunBatchJob(*commandLine.request, ports);
}
