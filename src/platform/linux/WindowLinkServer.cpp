#include "platform/linux/WindowLinkServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/linux/LocalSocket.h"
#include "platform/linux/PrivateFolder.h"
#include "platform/linux/SystemFailure.h"
#include "platform/linux/WindowFolder.h"

namespace korrin {
namespace {

constexpr mode_t kUserReadWrite = 0600;
constexpr int kListenBacklog = 8;
// A window that runs takes a connection at once; a short probe tells it from
// a socket file left by a program that ended.
constexpr std::chrono::milliseconds kProbeTimeout{500};

struct Listener {
  FileDescriptor socket;
  dev_t device = 0;
  ino_t inode = 0;
};

// Window socket names never start with '.', so this name is no window's.
std::string BindingPath(const std::string& folder, const std::string& socketPath) {
  return folder + "/." + std::to_string(::getpid()) + "." + socketPath.substr(folder.size() + 1);
}

Result<Listener> ListenAt(const std::string& path) {
  const Result<sockaddr_un> address = LocalAddress(path);
  if (!address) return address.failure();
  Result<FileDescriptor> socket = NewLocalSocket();
  if (!socket) return socket.failure();
  const int descriptor = socket.value().get();
  ::unlink(path.c_str());  // left by an earlier process with our pid
  const auto* generic = reinterpret_cast<const sockaddr*>(&address.value());
  struct stat status {};
  if (::fcntl(descriptor, F_SETFL, O_NONBLOCK) != 0 || ::bind(descriptor, generic, sizeof address.value()) != 0) {
    return SystemFailure(errno);
  }
  if (::chmod(path.c_str(), kUserReadWrite) != 0 || ::listen(descriptor, kListenBacklog) != 0 ||
      ::lstat(path.c_str(), &status) != 0) {
    const int error = errno;
    ::unlink(path.c_str());
    return SystemFailure(error);
  }
  return Listener{std::move(socket).value(), status.st_dev, status.st_ino};
}

}  // namespace

Result<std::unique_ptr<WindowLinkServer>> WindowLinkServer::Open(const std::string& title, const std::string& boxClass,
                                                                 std::chrono::milliseconds timeout) {
  const std::string folder = WindowFolderPath();
  if (const Status prepared = PreparePrivateFolder(folder); !prepared) return prepared.failure();
  const std::string socketPath = WindowSocketPath(folder, title);
  if (ConnectLocal(socketPath, kProbeTimeout)) {
    return Failure{EADDRINUSE, "a window titled \"" + title + "\" already runs"};
  }
  const std::string bindingPath = BindingPath(folder, socketPath);
  Result<Listener> listener = ListenAt(bindingPath);
  if (!listener) return listener.failure();
  // The rename replaces a stale socket file in one step, and the window's
  // socket appears only once it listens.
  if (::rename(bindingPath.c_str(), socketPath.c_str()) != 0) {
    const int error = errno;
    ::unlink(bindingPath.c_str());
    return SystemFailure(error);
  }
  std::unique_ptr<WindowLinkServer> server(
      new WindowLinkServer(std::move(listener.value().socket), boxClass, socketPath, timeout));
  server->socketDevice_ = listener.value().device;
  server->socketInode_ = listener.value().inode;
  return server;
}

WindowLinkServer::WindowLinkServer(FileDescriptor listener, std::string boxClass, std::string socketPath,
                                   std::chrono::milliseconds timeout)
    : listener_(std::move(listener)),
      boxClass_(std::move(boxClass)),
      socketPath_(std::move(socketPath)),
      timeout_(timeout) {}

WindowLinkServer::~WindowLinkServer() {
  struct stat status {};
  if (::lstat(socketPath_.c_str(), &status) == 0 && status.st_dev == socketDevice_ && status.st_ino == socketInode_) {
    ::unlink(socketPath_.c_str());
  }
}

bool WindowLinkServer::ServeOnce(std::chrono::milliseconds timeout) {
  pollfd waiting{listener_.get(), POLLIN, 0};
  if (::poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return false;
  const FileDescriptor client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (!client.valid()) return false;
  SetSocketTimeouts(client.get(), timeout_);
  const std::optional<TextRequest> request = ReceiveTextRequest(client.get());
  if (!request) return false;
  const char answer = static_cast<char>(Answer(*request));
  return SendAll(client.get(), std::string_view(&answer, 1));
}

BoxAnswer WindowLinkServer::Answer(const TextRequest& request) {
  if (request.boxClass != boxClass_ || !boxText_.empty()) return BoxAnswer::NoEmptyBox;
  boxText_ = request.text;
  return BoxAnswer::Delivered;
}

}  // namespace korrin
