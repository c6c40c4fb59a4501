#include "platform/linux/QtPrinters.h"

#include <cups/cups.h>

#include <QPageSize>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

namespace korrin {
namespace {

struct ServerQueue {
  std::string server;
  std::string queue;
};

// "\\server\queue": the server runs to the next backslash, so a socket path
// may hold "/" but not "\". Anything else is the name of a queue.
std::optional<ServerQueue> SplitServerQueue(std::string_view printer) {
  constexpr std::string_view kPrefix = "\\\\";
  if (!printer.starts_with(kPrefix)) return std::nullopt;
  const std::string_view rest = printer.substr(kPrefix.size());
  const std::size_t separator = rest.find('\\');
  if (separator == 0 || separator == std::string_view::npos || separator + 1 == rest.size()) return std::nullopt;
  return ServerQueue{std::string(rest.substr(0, separator)), std::string(rest.substr(separator + 1))};
}

// Qt's CUPS support asks the server libcups is pointed at, a setting of the
// calling thread; this points it elsewhere while it lives.
class CupsServerSwitch {
 public:
  explicit CupsServerSwitch(const std::string& server) : previousServer_(cupsServer()), previousPort_(ippPort()) {
    // The named server listens on the port its name gives, else on the
    // default one. A port kept from the previous server would send libcups's
    // fetch of the queue's driver to that port, even for a socket server.
    ippSetPort(0);
    cupsSetServer(server.c_str());
  }
  CupsServerSwitch(const CupsServerSwitch&) = delete;
  CupsServerSwitch& operator=(const CupsServerSwitch&) = delete;
  ~CupsServerSwitch() {
    cupsSetServer(previousServer_.c_str());
    ippSetPort(previousPort_);
  }

 private:
  std::string previousServer_;
  int previousPort_;
};

std::vector<std::string> MediaOfQueue(const std::string& queue) {
  std::vector<std::string> media;
  const QPrinterInfo printer = QPrinterInfo::printerInfo(QString::fromStdString(queue));
  if (printer.isNull()) return media;
  for (const QPageSize& size : printer.supportedPageSizes()) media.push_back(size.key().toStdString());
  return media;
}

}  // namespace

std::vector<std::string> QtPrinters::InstalledPrinters() const {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
  return names;
}

std::string QtPrinters::DefaultPrinter() const { return QPrinterInfo::defaultPrinterName().toStdString(); }

std::vector<std::string> QtPrinters::SupportedMedia(const std::string& printer) const {
  const std::optional<ServerQueue> serverQueue = SplitServerQueue(printer);
  if (!serverQueue) return MediaOfQueue(printer);
  const CupsServerSwitch onServer(serverQueue->server);
  return MediaOfQueue(serverQueue->queue);
}

}  // namespace korrin
