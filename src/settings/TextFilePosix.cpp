// The text-file module on POSIX systems: descriptors, fsync, rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "settings/TextFile.h"
#include "settings/TextFileFaults.h"
#include "settings/TextFilePlatform.h"

namespace korrin {
namespace {

using text_file_faults::Call;
using text_file_faults::FaultFor;

Failure FailureFromErrno(int number) { return {number, std::strerror(number)}; }

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports the failure close itself may detect.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// errno of the read that failed, 0 when the file was read whole.
int ReadAll(int fd, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
      bytes.append(buffer, static_cast<std::size_t>(count));
    } else if (count == 0) {
      return 0;
    } else if (errno != EINTR) {
      return errno;
    }
  }
}

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    if (const int fault = FaultFor(Call::Write); fault != 0) return FailureFromErrno(fault);
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return FailureFromErrno(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return {};
}

std::filesystem::file_type KindOf(mode_t mode) {
  using std::filesystem::file_type;
  if (S_ISREG(mode)) return file_type::regular;
  if (S_ISDIR(mode)) return file_type::directory;
  if (S_ISFIFO(mode)) return file_type::fifo;
  if (S_ISCHR(mode)) return file_type::character;
  if (S_ISBLK(mode)) return file_type::block;
  if (S_ISSOCK(mode)) return file_type::socket;
  return file_type::unknown;
}

mode_t PermissionsFor(const std::filesystem::path& path) {
  struct stat existing;
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

namespace text_file_platform {

WholeFile ReadWholeFile(const std::filesystem::path& path) {
  WholeFile result;
  // Without O_NONBLOCK the open of a FIFO waits for a writer that may never
  // come; a regular file reads the same either way.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) {
    result.outcome = WholeFile::Outcome::OpenFailed;
    result.failure = FailureFromErrno(errno);
    return result;
  }
  // Anything but a regular file opens and fails its first read, as a folder
  // does here anyway: a device or a FIFO may never end.
  struct stat opened {};
  const Status regular =
      ::fstat(fd.get(), &opened) != 0 ? Status(FailureFromErrno(errno)) : RegularFileStatus(KindOf(opened.st_mode));
  if (!regular) {
    result.outcome = WholeFile::Outcome::ReadFailed;
    result.failure = regular.failure();
    return result;
  }
  if (const int error = ReadAll(fd.get(), result.bytes); error != 0) {
    result.outcome = WholeFile::Outcome::ReadFailed;
    result.failure = FailureFromErrno(error);
  }
  return result;
}

}  // namespace text_file_platform

Result<FileReplacement> FileReplacement::Start(const std::filesystem::path& path) {
  std::string temporary = path.native() + ".korrin-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return FailureFromErrno(errno);
  return FileReplacement(path, std::move(temporary), fd);
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

Status FileReplacement::CommitBytes(std::string_view bytes) {
  if (fd_ < 0) return Failure{EBADF, "the replacement was already committed"};
  FileDescriptor fd(fd_);
  fd_ = -1;

  Status status = WriteAll(fd.get(), bytes);
  if (status && ::fchmod(fd.get(), PermissionsFor(path_)) != 0) status = FailureFromErrno(errno);
  if (const int fault = status ? FaultFor(Call::Sync) : 0; fault != 0) status = FailureFromErrno(fault);
  if (status && ::fsync(fd.get()) != 0) status = FailureFromErrno(errno);
  if (const int error = fd.Close(); status && error != 0) status = FailureFromErrno(error);
  if (const int fault = status ? FaultFor(Call::Rename) : 0; fault != 0) status = FailureFromErrno(fault);
  if (status && ::rename(temporary_.c_str(), path_.c_str()) != 0) status = FailureFromErrno(errno);
  if (!status) return status;  // the destructor removes the temporary file
  temporary_.clear();

  // The rename reaches the disk with the folder. A failure here still leaves
  // a complete file, old or new, so it is not reported.
  const std::filesystem::path folder = path_.has_parent_path() ? path_.parent_path() : ".";
  FileDescriptor folder_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder_fd.get() >= 0) ::fsync(folder_fd.get());
  return {};
}

}  // namespace korrin
