#include "platform/linux/SocketDispatchChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

#include "host/ChannelFailures.h"
#include "host/HostMessageCodec.h"
#include "host/SecondsText.h"
#include "platform/linux/LocalSocket.h"
#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

using Clock = std::chrono::steady_clock;

// Short enough that a window stays responsive while a call waits, long
// enough that a waiting call costs next to nothing.
constexpr std::chrono::milliseconds kWaitSlice{5};
constexpr std::size_t kReceiveChunk = 64 * 1024;
// How long a call looks for its answer before it sleeps in the slices. Most
// answers to queries come within this, and on a virtual machine the wake-up
// of a sleeping client costs more than the answer itself; a call that does
// work takes milliseconds, beside which this is small.
constexpr std::chrono::microseconds kLookBeforeSleeping{100};

bool IsAgain(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Waits up to one slice for the socket; true when it is ready. A wait cut
// short by a signal counts as ready, so the caller looks again at once.
bool WaitSlice(int socket, short events, Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  const auto slice = std::clamp(left, std::chrono::milliseconds(0), kWaitSlice);
  pollfd waiting{socket, events, 0};
  const int ready = ::poll(&waiting, 1, static_cast<int>(slice.count()));
  return ready != 0;
}

Failure ConnectFailure(const std::string& path, int error) {
  return {error, path + ": " + SystemFailure(error).description};
}

}  // namespace

Result<std::shared_ptr<SocketDispatchChannel>> SocketDispatchChannel::Connect(const std::string& socketPath,
                                                                              std::chrono::milliseconds deadline,
                                                                              EventPump& pump) {
  const Result<sockaddr_un> address = LocalAddress(socketPath);
  if (!address) return ConnectFailure(socketPath, static_cast<int>(address.failure().number));
  Result<FileDescriptor> socket = NewLocalSocket();
  if (!socket) return socket.failure();
  const int descriptor = socket.value().get();
  if (::fcntl(descriptor, F_SETFL, O_NONBLOCK) != 0) return SystemFailure(errno);
  const auto until = Clock::now() + deadline;
  const auto* generic = reinterpret_cast<const sockaddr*>(&address.value());
  // A local connect does not wait: it fails with EAGAIN while the host's
  // queue of connections is full, and is tried again until the deadline.
  while (::connect(descriptor, generic, sizeof address.value()) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (!IsAgain(error)) return ConnectFailure(socketPath, error);
    if (Clock::now() >= until) {
      return Failure{ETIMEDOUT, socketPath + ": no connection within " + host::SecondsText(deadline) + " s"};
    }
    WaitSlice(descriptor, POLLOUT, until);
    pump.Yield();
  }
  return std::shared_ptr<SocketDispatchChannel>(new SocketDispatchChannel(std::move(socket).value(), pump));
}

SocketDispatchChannel::SocketDispatchChannel(FileDescriptor socket, EventPump& pump)
    : socket_(std::move(socket)), pump_(pump) {}

Result<host::DispatchValue> SocketDispatchChannel::Invoke(host::ObjectReference object, std::int32_t member,
                                                          host::InvokeKind kind,
                                                          const std::vector<host::DispatchValue>& arguments,
                                                          std::chrono::milliseconds deadline) {
  if (brokenBy_) return *brokenBy_;
  if (calling_) {
    return Failure{host::kUnspecifiedFailure, "A host call was made while another waited for its answer."};
  }
  calling_ = true;
  const Result<host::DispatchValue> result = Call(object, member, kind, arguments, deadline);
  calling_ = false;
  return result;
}

Result<host::DispatchValue> SocketDispatchChannel::Call(host::ObjectReference object, std::int32_t member,
                                                        host::InvokeKind kind,
                                                        const std::vector<host::DispatchValue>& arguments,
                                                        std::chrono::milliseconds deadline) {
  const auto until = Clock::now() + deadline;
  const std::uint64_t call = ++lastCall_;
  // A request that cannot be encoded sends nothing, so the channel stays whole.
  const Result<std::string> body = host::EncodeRequest({call, object, member, kind, arguments});
  if (!body) return body.failure();
  const Result<std::string> frame = host::Framed(body.value());
  if (!frame) return frame.failure();
  if (const Status sent = Send(frame.value(), until, deadline); !sent) return sent.failure();
  return Receive(call, until, deadline);
}

Status SocketDispatchChannel::Send(std::string_view frame, Clock::time_point until,
                                   std::chrono::milliseconds deadline) {
  while (!frame.empty()) {
    // MSG_NOSIGNAL: a host that went away is a failure, not SIGPIPE.
    const ssize_t sent = ::send(socket_.get(), frame.data(), frame.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent > 0) {
      frame.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    const int error = errno;
    if (sent < 0 && error == EINTR) continue;
    if (sent < 0 && IsAgain(error)) {
      if (Clock::now() >= until) return Break(host::CallTimedOut(deadline));
      if (!WaitSlice(socket_.get(), POLLOUT, until)) pump_.Yield();
      continue;
    }
    // A host that refused the connection said why before it closed it (the
    // answer to no call): that answer is the better failure.
    Status damaged;
    (void)ReadArrived(damaged);
    if (std::optional<std::string> answer = frames_.TakeFrame()) {
      if (Result<host::InvokeAnswer> read = host::DecodeAnswer(*answer);
          read && read.value().call == host::kConnectionCall && !read.value().result) {
        return Break(read.value().result.failure());
      }
    }
    return Break(host::ServerUnavailable());
  }
  return {};
}

bool SocketDispatchChannel::ReadArrived(Status& damaged) {
  char buffer[kReceiveChunk];
  while (true) {
    const ssize_t received = ::recv(socket_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (received > 0) {
      if (Status appended = frames_.Append(std::string_view(buffer, static_cast<std::size_t>(received)));
          !appended) {
        damaged = appended;
        return true;
      }
      continue;
    }
    if (received < 0 && errno == EINTR) continue;
    // Nothing more for now, or the end of the stream (0, or a reset).
    return received < 0 && IsAgain(errno);
  }
}

Result<host::DispatchValue> SocketDispatchChannel::Receive(std::uint64_t call, Clock::time_point until,
                                                           std::chrono::milliseconds deadline) {
  const Clock::time_point sleepFrom = Clock::now() + kLookBeforeSleeping;
  while (true) {
    Status damaged;
    const bool open = ReadArrived(damaged);
    if (!damaged) return Break(damaged.failure());
    if (std::optional<std::string> body = frames_.TakeFrame()) return TakeAnswer(*body, call);
    if (!open) return Break(host::ServerUnavailable());
    const Clock::time_point now = Clock::now();
    if (now >= until) return Break(host::CallTimedOut(deadline));
    if (now < sleepFrom) continue;
    // The slice itself was the wait: the pump only runs the window's events.
    // Its Pause would sleep on top, and an answer that came meanwhile would
    // wait for the sleep to end.
    if (!WaitSlice(socket_.get(), POLLIN, until)) pump_.Yield();
  }
}

Result<host::DispatchValue> SocketDispatchChannel::TakeAnswer(const std::string& body, std::uint64_t call) {
  Result<host::InvokeAnswer> answer = host::DecodeAnswer(body);
  if (!answer) return Break(answer.failure());
  const host::InvokeAnswer& read = answer.value();
  if (read.call == host::kConnectionCall) {
    if (!read.result) return Break(read.result.failure());
    return Break(host::BadFrame("a value that answers no call"));
  }
  if (read.call != call) {
    return Break(host::BadFrame("the answer to call " + std::to_string(read.call) + " came while call " +
                                std::to_string(call) + " waited"));
  }
  return read.result;
}

Failure SocketDispatchChannel::Break(Failure failure) {
  brokenBy_ = failure;
  socket_ = FileDescriptor();
  return failure;
}

bool NothingListens(const Failure& failure) {
  return failure.number == ENOENT || failure.number == ECONNREFUSED;
}

}  // namespace korrin
