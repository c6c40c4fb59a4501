#include "host/HostGone.h"

#include "host/ChannelFailures.h"

namespace korrin::host {

bool HostIsGone(const Failure& failure) {
  return failure.number == kServerUnavailable || failure.number == kCallTimedOut ||
         failure.number == kObjectDisconnected;
}

}  // namespace korrin::host
