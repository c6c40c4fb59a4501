#pragma once

#include <sys/un.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/linux/FileDescriptor.h"
#include "ports/Result.h"

namespace korrin {

// Small steps on local (AF_UNIX) stream sockets, each bounded by the
// socket's time-outs so a peer that stops answering never hangs the caller.

// The address of a socket file; fails when the path is too long for one.
Result<sockaddr_un> LocalAddress(const std::string& path);
// A new socket, not inherited by started programs.
Result<FileDescriptor> NewLocalSocket();
// Sending, receiving and connecting each give up after the time-out.
void SetSocketTimeouts(int socket, std::chrono::milliseconds timeout);
// Connects to the socket file; fails when it is missing, when nothing listens
// on it (a socket file left by a program that ended), or on time-out.
Result<FileDescriptor> ConnectLocal(const std::string& path, std::chrono::milliseconds timeout);
// False when the peer went away or the time-out passed first.
bool SendAll(int socket, std::string_view bytes);
// Appends exactly count bytes; false when the peer stopped early or the
// time-out passed first.
bool ReceiveExactly(int socket, std::size_t count, std::string& bytes);

}  // namespace korrin
