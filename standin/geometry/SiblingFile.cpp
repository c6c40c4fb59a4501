#include "geometry/SiblingFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "geometry/GeometryFailure.h"
#include "platform/linux/SystemFailure.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

Failure TargetFailure(const std::filesystem::path& target, const Failure& failure) {
  return {failure.number, "cannot write " + target.string() + ": " + failure.description};
}

// A file in memory, named by a path the writers can open as any other.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("korrin-export", MFD_CLOEXEC)) {}
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  ~MemoryFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool opened() const { return fd_ >= 0; }
  std::filesystem::path path() const { return "/proc/self/fd/" + std::to_string(fd_); }

  // What the writer left in it; errno of a failed read.
  int Read(std::string& bytes) const {
    char buffer[65536];
    for (off_t at = 0;;) {
      const ssize_t count = ::pread(fd_, buffer, sizeof buffer, at);
      if (count == 0) return 0;
      if (count < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      bytes.append(buffer, static_cast<std::size_t>(count));
      at += count;
    }
  }

 private:
  int fd_;
};

}  // namespace

// The model libraries write into memory first: they report a full disk as a
// bare failure, or not at all, while the bytes written here by the text-file
// module fail with the system's own reason and reach the disk before the
// rename.
Status WriteThroughSibling(const std::filesystem::path& target,
                           const std::function<Status(const std::filesystem::path& temporary)>& write) {
  Result<FileReplacement> replacement = FileReplacement::Start(target);
  if (!replacement) return TargetFailure(target, replacement.failure());
  const MemoryFile memory;
  if (!memory.opened()) return TargetFailure(target, SystemFailure(errno));
  if (Status written = write(memory.path()); !written) return TargetFailure(target, written.failure());
  std::string bytes;
  if (const int error = memory.Read(bytes); error != 0) return TargetFailure(target, SystemFailure(error));
  if (bytes.empty()) return TargetFailure(target, Failure{kModelFileEmpty, "the writer wrote nothing"});
  if (Status committed = replacement.value().CommitBytes(bytes); !committed) {
    return TargetFailure(target, committed.failure());
  }
  return {};
}

}  // namespace korrin::standin
