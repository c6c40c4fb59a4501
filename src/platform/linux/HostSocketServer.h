#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "host/DispatchValue.h"
#include "host/HostMessages.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/ListeningSocketFile.h"
#include "ports/Result.h"

namespace korrin {

// A host program's end of its socket: reads the requests of one client at a
// time, hands each to the handler and sends its answer back.
class HostSocketServer {
 public:
  using Handler = std::function<Result<host::DispatchValue>(const host::InvokeRequest&)>;

  // Creates the socket (0600) in its folder: the folder is created when
  // missing and must be a folder for this user alone (0700, owned by the
  // user); a stale socket file is replaced, a live one refused (EADDRINUSE).
  static Result<std::unique_ptr<HostSocketServer>> Listen(const std::string& socketPath, Handler handler);

  HostSocketServer(const HostSocketServer&) = delete;
  HostSocketServer& operator=(const HostSocketServer&) = delete;
  // Removes its socket file, unless another host has put its own there since.
  ~HostSocketServer();

  // Serves until Stop(), one client at a time. A client that connects while
  // another is served gets one answer to no call with the failure kServerBusy
  // and is closed, never mixed into the first one's calls. A client that
  // disconnects, even in the middle of a frame, ends its connection and the
  // server waits for the next. A damaged frame or an oversized length is
  // answered (to no call) with BadFrame, and the connection closed. Fails
  // only when the system fails the wait itself.
  Status Serve();
  // Makes Serve return once the answer in progress has been sent; callable
  // from the handler (the host's quit) or from another thread. The client
  // served then is disconnected.
  void Stop();

  const std::string& socketPath() const { return listener_.path(); }

 private:
  struct Connection;

  HostSocketServer(ListeningSocketFile listener, FileDescriptor wake, Handler handler);

  void AcceptWaiting(std::unique_ptr<Connection>& client);
  // False when the connection has ended.
  bool ServeArrived(Connection& client);
  bool Answer(Connection& client, const std::string& body);

  ListeningSocketFile listener_;
  FileDescriptor wake_;
  Handler handler_;
  std::atomic<bool> stopping_{false};
};

}  // namespace korrin
