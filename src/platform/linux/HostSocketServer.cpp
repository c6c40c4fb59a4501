#include "platform/linux/HostSocketServer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "host/ChannelFailures.h"
#include "host/HostFrames.h"
#include "host/HostMessageCodec.h"
#include "platform/linux/LocalSocket.h"
#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

constexpr std::size_t kReceiveChunk = 64 * 1024;
// A client that stops reading its answer must not stall the host for ever.
constexpr std::chrono::milliseconds kSendTimeout{10000};
// The busy answer is a few bytes into an empty socket: it never needs long.
constexpr std::chrono::milliseconds kRefusalTimeout{1000};

// How long the host looks for a client's next request after an answer
// before it sleeps: a client working through a document asks again within
// microseconds, or after a short step of its own (a log line, the next
// document's version read), and waking a sleeping host costs more than
// that on a virtual machine. Longer than the client's look: the host waits
// for the client's work, the client only for an answer.
constexpr std::chrono::microseconds kLookBeforeSleeping{300};

enum Watched { kListener, kWake, kClient, kWatchedCount };

// The client closed its end and sent nothing more that waits to be read.
bool HasLeft(int socket) {
  char byte = 0;
  return ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

bool SendAnswer(int socket, const host::InvokeAnswer& answer) {
  Result<std::string> body = host::EncodeAnswer(answer);
  // An answer too large for a frame becomes the call's failure.
  if (!body) body = host::EncodeAnswer({answer.call, body.failure()});
  if (!body) return false;
  const Result<std::string> frame = host::Framed(body.value());
  return frame && SendAll(socket, frame.value());
}

}  // namespace

struct HostSocketServer::Connection {
  FileDescriptor socket;
  host::HostFrameBuffer frames;
};

Result<std::unique_ptr<HostSocketServer>> HostSocketServer::Listen(const std::string& socketPath, Handler handler) {
  Result<ListeningSocketFile> listener =
      ListeningSocketFile::Open(socketPath, "a host already listens at " + socketPath);
  if (!listener) return listener.failure();
  FileDescriptor wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!wake.valid()) return SystemFailure(errno);
  return std::unique_ptr<HostSocketServer>(
      new HostSocketServer(std::move(listener).value(), std::move(wake), std::move(handler)));
}

HostSocketServer::HostSocketServer(ListeningSocketFile listener, FileDescriptor wake, Handler handler)
    : listener_(std::move(listener)), wake_(std::move(wake)), handler_(std::move(handler)) {}

HostSocketServer::~HostSocketServer() = default;

void HostSocketServer::Stop() {
  stopping_ = true;
  const std::uint64_t one = 1;
  // Wakes a Serve waiting in poll; a full counter has woken it already.
  (void)!::write(wake_.get(), &one, sizeof one);
}

Status HostSocketServer::Serve() {
  using Clock = std::chrono::steady_clock;
  std::unique_ptr<Connection> client;
  Clock::time_point sleepFrom;
  while (!stopping_) {
    pollfd watched[kWatchedCount] = {
        {listener_.descriptor(), POLLIN, 0},
        {wake_.get(), POLLIN, 0},
        {client ? client->socket.get() : -1, POLLIN, 0},
    };
    const int ready = ::poll(watched, kWatchedCount, client && Clock::now() < sleepFrom ? 0 : -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return SystemFailure(errno);
    }
    if (ready == 0) continue;
    if (watched[kClient].revents != 0) {
      if (!ServeArrived(*client)) client.reset();
      sleepFrom = Clock::now() + kLookBeforeSleeping;
    }
    if (stopping_) break;
    if (watched[kListener].revents != 0) AcceptWaiting(client);
  }
  return {};
}

void HostSocketServer::AcceptWaiting(std::unique_ptr<Connection>& client) {
  while (true) {
    FileDescriptor accepted(::accept4(listener_.descriptor(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!accepted.valid()) return;  // none waiting any more
    // A client that left just before the next came is no longer served: the
    // next must not be told the host is busy with it.
    if (client && HasLeft(client->socket.get())) client.reset();
    if (client) {
      SetSocketTimeouts(accepted.get(), kRefusalTimeout);
      (void)SendAnswer(accepted.get(), {host::kConnectionCall, host::ServerBusy()});
      continue;  // closed here
    }
    SetSocketTimeouts(accepted.get(), kSendTimeout);
    client = std::make_unique<Connection>(Connection{std::move(accepted), {}});
  }
}

bool HostSocketServer::ServeArrived(Connection& client) {
  char buffer[kReceiveChunk];
  const ssize_t received = ::recv(client.socket.get(), buffer, sizeof buffer, MSG_DONTWAIT);
  if (received < 0) return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
  if (received == 0) return false;  // the client went, whole frames or not
  if (const Status appended = client.frames.Append(std::string_view(buffer, static_cast<std::size_t>(received)));
      !appended) {
    (void)SendAnswer(client.socket.get(), {host::kConnectionCall, appended.failure()});
    return false;
  }
  while (std::optional<std::string> body = client.frames.TakeFrame()) {
    if (!Answer(client, *body)) return false;
    if (stopping_) return false;
  }
  return true;
}

bool HostSocketServer::Answer(Connection& client, const std::string& body) {
  const Result<host::InvokeRequest> request = host::DecodeRequest(body);
  if (!request) {
    (void)SendAnswer(client.socket.get(), {host::kConnectionCall, request.failure()});
    return false;
  }
  return SendAnswer(client.socket.get(), {request.value().call, handler_(request.value())});
}

}  // namespace korrin
