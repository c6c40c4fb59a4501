#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/DispatchChannel.h"
#include "host/HostFrames.h"
#include "host/HostMessages.h"
#include "platform/linux/FileDescriptor.h"
#include "ports/EventPump.h"
#include "ports/Result.h"

namespace korrin {

// The dispatch channel to a host program over its local socket (frames of
// HostFrames.h carrying the messages of HostMessageCodec.h), one call at a
// time. While a call waits, the channel polls the socket in slices of a few
// milliseconds and lets the pump run window events between them.
//
// A call fails with the host's own failure when the host answers with one;
// the channel stays usable. It breaks for good, and every later call fails
// at once with the same failure, when a call passes its deadline
// (kCallTimedOut), the host is gone (end of stream, reset: kServerUnavailable),
// an answer cannot be read or answers another call (kBadFrame), or the host
// refuses the connection (kServerBusy). The socket is closed then, so a late
// answer is never read.
//
// One call at a time: a call made while another waits (from inside the
// pump's Yield) fails at once with kUnspecifiedFailure and changes nothing.
// The pump must outlive the channel. Not for use from several threads.
class SocketDispatchChannel final : public host::DispatchChannel {
 public:
  // Connects to the host's socket within the deadline, yielding to the pump
  // while the host's queue of connections is full. Fails with the system's
  // error number (see NothingListens) or ETIMEDOUT.
  static Result<std::shared_ptr<SocketDispatchChannel>> Connect(const std::string& socketPath,
                                                                std::chrono::milliseconds deadline, EventPump& pump);

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments,
                                     std::chrono::milliseconds deadline) override;

  bool broken() const { return brokenBy_.has_value(); }

 private:
  using Clock = std::chrono::steady_clock;

  SocketDispatchChannel(FileDescriptor socket, EventPump& pump);

  Result<host::DispatchValue> Call(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                   const std::vector<host::DispatchValue>& arguments,
                                   std::chrono::milliseconds deadline);
  Status Send(std::string_view frame, Clock::time_point until, std::chrono::milliseconds deadline);
  Result<host::DispatchValue> Receive(std::uint64_t call, Clock::time_point until,
                                      std::chrono::milliseconds deadline);
  Result<host::DispatchValue> TakeAnswer(const std::string& body, std::uint64_t call);
  // Reads what has arrived without waiting; false when the stream ended.
  bool ReadArrived(Status& damaged);
  Failure Break(Failure failure);

  FileDescriptor socket_;
  EventPump& pump_;
  std::uint64_t lastCall_ = 0;
  host::HostFrameBuffer frames_;
  std::optional<Failure> brokenBy_;
  bool calling_ = false;
};

// True when a Connect failed because no process listens at the path (no
// socket file, or connection refused): the socket file is stale or absent.
bool NothingListens(const Failure& failure);

}  // namespace korrin
