// korrin-batch for Windows: the same job as on Linux, over the system's
// registry, processes, watcher window and printers, driving the installed
// host through automation. Arguments arrive as UTF-16 and are read as UTF-8.
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchCommandLineArguments.h"
#include "app/BatchJob.h"
#include "app/InterruptRequests.h"
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
  const korrin::SpoolerPrinters printers;
  return korrin::RunBatchCommand(arguments, korrin::ProgramFolder(), printers, [&](const korrin::BatchRequest& request) {
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
    return korrin::RunBatchJob(request, ports);
  });
}
