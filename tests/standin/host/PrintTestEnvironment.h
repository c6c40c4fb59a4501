#pragma once

#include <string>

namespace korrin::testing {

// The socket CUPS_SERVER names for this test program: a folder of its own,
// where no server listens unless a test starts one. So no test reaches the
// machine's print queues, and a test that needs queues starts a private
// server on this socket before it prints.
std::string PrivatePrintServerSocket();

}  // namespace korrin::testing
