#include "platform/linux/ListeningSocketFile.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <utility>

#include "platform/linux/LocalSocket.h"
#include "platform/linux/PrivateFolder.h"
#include "platform/linux/SystemFailure.h"

namespace korrin {
namespace {

constexpr mode_t kUserReadWrite = 0600;
constexpr int kListenBacklog = 8;
// A process that listens takes a connection at once; a short probe tells it
// from a socket file left by a process that ended.
constexpr std::chrono::milliseconds kProbeTimeout{500};

struct Listener {
  FileDescriptor socket;
  dev_t device = 0;
  ino_t inode = 0;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Socket names of the window link and the hosts never start with '.', so
// this name is no socket of theirs.
std::string BindingPath(const std::string& folder, const std::string& path) {
  return folder + "/." + std::to_string(::getpid()) + "." + path.substr(path.rfind('/') + 1);
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

Result<ListeningSocketFile> ListeningSocketFile::Open(const std::string& path, const std::string& inUseText) {
  const std::string folder = FolderOf(path);
  if (const Status prepared = PreparePrivateFolder(folder); !prepared) return prepared.failure();
  if (ConnectLocal(path, kProbeTimeout)) return Failure{EADDRINUSE, inUseText};
  const std::string bindingPath = BindingPath(folder, path);
  Result<Listener> listener = ListenAt(bindingPath);
  if (!listener) return listener.failure();
  // The rename replaces a stale socket file in one step, and the socket
  // appears only once it listens.
  if (::rename(bindingPath.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(bindingPath.c_str());
    return SystemFailure(error);
  }
  return ListeningSocketFile(std::move(listener.value().socket), path, listener.value().device,
                             listener.value().inode);
}

ListeningSocketFile::ListeningSocketFile(FileDescriptor socket, std::string path, dev_t device, ino_t inode)
    : socket_(std::move(socket)), path_(std::move(path)), device_(device), inode_(inode) {}

ListeningSocketFile::~ListeningSocketFile() {
  if (!socket_.valid()) return;  // moved from
  struct stat status {};
  if (::lstat(path_.c_str(), &status) == 0 && status.st_dev == device_ && status.st_ino == inode_) {
    ::unlink(path_.c_str());
  }
}

}  // namespace korrin
