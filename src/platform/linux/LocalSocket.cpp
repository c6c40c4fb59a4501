#include "platform/linux/LocalSocket.h"

#include <sys/socket.h>
#include <sys/time.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

constexpr std::size_t kReceiveChunk = 4096;

bool Interrupted(ssize_t result) { return result < 0 && errno == EINTR; }

}  // namespace

Result<sockaddr_un> LocalAddress(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return SystemFailure(ENAMETOOLONG);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

Result<FileDescriptor> NewLocalSocket() {
  FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socket.valid()) return SystemFailure(errno);
  return socket;
}

void SetSocketTimeouts(int socket, std::chrono::milliseconds timeout) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
  const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(timeout - seconds);
  const timeval limit{static_cast<time_t>(seconds.count()), static_cast<suseconds_t>(microseconds.count())};
  ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

Result<FileDescriptor> ConnectLocal(const std::string& path, std::chrono::milliseconds timeout) {
  const Result<sockaddr_un> address = LocalAddress(path);
  if (!address) return address.failure();
  Result<FileDescriptor> socket = NewLocalSocket();
  if (!socket) return socket;
  // A local connect waits no longer than the send time-out.
  SetSocketTimeouts(socket.value().get(), timeout);
  const auto* generic = reinterpret_cast<const sockaddr*>(&address.value());
  if (::connect(socket.value().get(), generic, sizeof address.value()) != 0) return SystemFailure(errno);
  return socket;
}

bool SendAll(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    // MSG_NOSIGNAL: a peer that went away is a false result, not SIGPIPE.
    const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (Interrupted(sent)) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool ReceiveExactly(int socket, std::size_t count, std::string& bytes) {
  char buffer[kReceiveChunk];
  while (count > 0) {
    const ssize_t received = ::recv(socket, buffer, std::min(count, sizeof buffer), 0);
    if (Interrupted(received)) continue;
    if (received <= 0) return false;
    bytes.append(buffer, static_cast<std::size_t>(received));
    count -= static_cast<std::size_t>(received);
  }
  return true;
}

}  // namespace korrin
