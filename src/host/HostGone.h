#pragma once

#include "ports/Result.h"

namespace korrin::host {

// Whether a failed call means the host itself is gone (its process ended, a
// call past its deadline broke the connection, it quit), so that waiting on
// its state any longer cannot end otherwise than at the time limit.
bool HostIsGone(const Failure& failure);

}  // namespace korrin::host
