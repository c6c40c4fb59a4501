#pragma once

#include <string>
#include <vector>

#include "ports/Printers.h"

namespace korrin {

// The printers of CUPS, through Qt Print Support: the queues of the server
// libcups is pointed at (CUPS_SERVER, else the client configuration), its
// default queue, and a queue's media by the names its driver gives them
// ("A4", "Letter", "A4.Fullbleed" ...).
//
// A printer named \\server\queue is the queue on that CUPS server (a host
// name, host:port, or the path of a Unix socket); the lookup points libcups
// there for the calling thread and back to where it pointed before.
//
// Call from the thread that owns the QGuiApplication, after it exists.
class QtPrinters final : public Printers {
 public:
  std::vector<std::string> InstalledPrinters() const override;
  std::string DefaultPrinter() const override;
  std::vector<std::string> SupportedMedia(const std::string& printer) const override;
};

}  // namespace korrin
