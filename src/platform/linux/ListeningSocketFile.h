#pragma once

#include <sys/types.h>

#include <string>

#include "platform/linux/FileDescriptor.h"
#include "ports/Result.h"

namespace korrin {

// A non-blocking listening socket at a path in a folder for this user
// alone (the window link's, a host's), and the socket file it owns.
class ListeningSocketFile {
 public:
  // Prepares the path's folder as PreparePrivateFolder does and listens at
  // the path with rights for this user alone (0600). A socket file nothing
  // listens on any more (left by a process that ended) is replaced; when a
  // process answers at the path, fails with EADDRINUSE and inUseText. The
  // socket file appears only once it listens, and in one step.
  static Result<ListeningSocketFile> Open(const std::string& path, const std::string& inUseText);

  ListeningSocketFile(ListeningSocketFile&&) noexcept = default;
  ListeningSocketFile& operator=(ListeningSocketFile&&) = delete;
  // Removes the socket file, unless another process has put its own in its
  // place since.
  ~ListeningSocketFile();

  int descriptor() const { return socket_.get(); }
  const std::string& path() const { return path_; }

 private:
  ListeningSocketFile(FileDescriptor socket, std::string path, dev_t device, ino_t inode);

  FileDescriptor socket_;
  std::string path_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

}  // namespace korrin
