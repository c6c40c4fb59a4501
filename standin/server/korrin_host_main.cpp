// korrin-host: the stand-in CAD host as a program of its own. Installed as
// "Inventor.exe", it is started by the program that drives it, serves the
// host interface on its socket in the hosts' folder, and ends when it is
// told to quit (or is ended as any process is). Installed as "acad.exe" and
// started with --acad, it is the stand-in AutoCAD, which serves until it is
// ended.
#include <unistd.h>

#include <QGuiApplication>
#include <charconv>
#include <csignal>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AcadDispatcher.h"
#include "HostDispatcher.h"
#include "HostStartSettings.h"
#include "OcctGeometryExchange.h"
#include "StandinAcad.h"
#include "StandinApplication.h"
#include "SystemProcessEnding.h"
#include "ViewsHelperProcess.h"
#include "documents/FirstOpenRecord.h"
#include "install/HostPrograms.h"
#include "host/DispatchMembers.h"
#include "host/HostInstallation.h"
#include "platform/linux/HostSocketFolder.h"
#include "platform/linux/HostSocketServer.h"
#include "platform/linux/PrivateFolder.h"
#include "platform/linux/SqliteRegistry.h"

namespace {

constexpr int kUsageStatus = 2;
constexpr int kNotInstalledStatus = 3;
constexpr int kCannotListenStatus = 4;

struct HostArguments {
  int readyDescriptor = -1;
  std::optional<pid_t> helperOf;  // the views' helper of this host
  bool acad = false;
};

std::optional<int> NonNegativeNumber(const std::string& text) {
  int number = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < 0) return std::nullopt;
  return number;
}

// The launcher's "--ready-fd N", AutoCAD's "--acad", or the helper mode's
// "--views-helper PID".
std::optional<HostArguments> ParseArguments(const std::vector<std::string>& arguments) {
  HostArguments parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--acad") {
      parsed.acad = true;
      continue;
    }
    if ((name != "--ready-fd" && name != korrin::standin::kViewsHelperArgument) || i + 1 == arguments.size()) {
      return std::nullopt;
    }
    const auto number = NonNegativeNumber(arguments[++i]);
    if (!number) return std::nullopt;
    if (name == "--ready-fd") {
      parsed.readyDescriptor = *number;
    } else {
      parsed.helperOf = *number;
    }
  }
  return parsed;
}

// Tells the launcher that the socket listens, then lets the pipe go.
void SayReady(int descriptor) {
  if (descriptor < 0) return;
  static constexpr char kReady[] = "ready\n";
  [[maybe_unused]] const ssize_t written = ::write(descriptor, kReady, sizeof kReady - 1);
  ::close(descriptor);
}

bool IsQuit(const korrin::host::InvokeRequest& request) {
  return request.object == korrin::host::kApplicationObject && request.member == korrin::host::members::kQuit &&
         request.kind == korrin::host::InvokeKind::Method;
}

using Dispatch = std::function<korrin::Result<korrin::host::DispatchValue>(const korrin::host::InvokeRequest&)>;

// Serves the dispatch on this process's socket in the folder, one client at
// a time, until a request that ends the program has been answered with
// success; says "ready" once the socket listens.
int Serve(const std::string& folder, const HostArguments& arguments, const Dispatch& dispatch,
          bool (*ends)(const korrin::host::InvokeRequest&)) {
  using namespace korrin;
  if (Status prepared = PreparePrivateFolder(folder); !prepared) {
    std::cerr << "korrin-host: " << prepared.failure().description << "\n";
    return kCannotListenStatus;
  }
  HostSocketServer* serving = nullptr;
  auto server = HostSocketServer::Listen(
      HostSocketPath(folder, ::getpid()), [&](const host::InvokeRequest& request) -> Result<host::DispatchValue> {
        auto answer = dispatch(request);
        // A host that quit serves no one: its socket goes once the answer is out.
        if (answer && ends(request)) serving->Stop();
        return answer;
      });
  if (!server) {
    std::cerr << "korrin-host: " << server.failure().description << "\n";
    return kCannotListenStatus;
  }
  serving = server.value().get();
  SayReady(arguments.readyDescriptor);
  if (Status served = serving->Serve(); !served) {
    std::cerr << "korrin-host: " << served.failure().description << "\n";
    return 1;
  }
  return 0;
}

bool NothingEnds(const korrin::host::InvokeRequest&) { return false; }

// The stand-in AutoCAD reads nothing at its start; it ends as a process is
// ended, its open drawings dropped unsaved.
int ServeAcad(const HostArguments& arguments) {
  using namespace korrin;
  standin::StandinAcad acad;
  standin::AcadDispatcher dispatcher(acad);
  const std::string hosts = HostSocketFolderPath();
  if (Status prepared = PreparePrivateFolder(hosts); !prepared) {
    std::cerr << "korrin-host: " << prepared.failure().description << "\n";
    return kCannotListenStatus;
  }
  return Serve(AcadSocketFolderPath(), arguments, [&](const host::InvokeRequest& request) {
    return dispatcher.Invoke(request.object, request.member, request.kind, request.arguments);
  }, NothingEnds);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korrin;
  const auto arguments = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments) {
    std::cerr << "korrin-host: usage: korrin-host [--acad] [--ready-fd N]\n";
    return kUsageStatus;
  }
  if (arguments->helperOf) return standin::RunViewsHelper(*arguments->helperOf);
  // A client that goes away while it is answered must not end the host.
  std::signal(SIGPIPE, SIG_IGN);
  if (arguments->acad) return ServeAcad(*arguments);

  // The host renders what it prints and the pictures of its views, without
  // a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  // What a host reads at its start it keeps until it ends.
  SqliteRegistry registry{RegistryFolder()};
  auto settings = standin::HostStartSettings(registry);
  if (!settings) {
    std::cerr << "korrin-host: " << settings.failure().description << "\n";
    return kNotInstalledStatus;
  }
  standin::OcctGeometryExchange geometry;
  settings.value().geometry = &geometry;
  auto firstOpens = std::make_shared<standin::FirstOpenRecord>();
  const std::string programFolder = HostInstallFolder(registry);
  if (!programFolder.empty()) firstOpens->KeepIn(programFolder + standin::kFirstOpenRecordFileName);
  // The helper is installed beside the host; a host run from elsewhere
  // (a test's) finds it there too or goes without it.
  standin::ViewsHelperProcess viewsHelper(programFolder + standin::kViewsHelperImageName);
  standin::StandinApplication host(std::move(settings).value(), firstOpens,
                                   std::make_shared<standin::SystemProcessEnding>(), &viewsHelper);
  standin::HostDispatcher dispatcher(host);

  return Serve(HostSocketFolderPath(), *arguments, [&](const host::InvokeRequest& request) {
    return dispatcher.Invoke(request.object, request.member, request.kind, request.arguments);
  }, IsQuit);
}
