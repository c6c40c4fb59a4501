#include "settings/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace korrin {
namespace {

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

struct BytesRead {
  std::string bytes;
  int error = 0;  // errno of the read that failed, 0 when the file was read whole
};

BytesRead ReadAll(int fd) {
  BytesRead result;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
      result.bytes.append(buffer, static_cast<std::size_t>(count));
    } else if (count == 0) {
      return result;
    } else if (errno != EINTR) {
      result.error = errno;
      return result;
    }
  }
}

// Splits bytes into lines; with whole_file false a last line without its line
// end is left out, since the read stopped inside it.
std::vector<std::string> SplitLines(std::string_view bytes, bool whole_file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      if (whole_file) lines.emplace_back(bytes.substr(start));
      break;
    }
    std::size_t length = end - start;
    if (length > 0 && bytes[end - 1] == '\r') --length;
    lines.emplace_back(bytes.substr(start, length));
    start = end + 1;
  }
  return lines;
}

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return FailureFromErrno(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return {};
}

mode_t PermissionsFor(const std::filesystem::path& path) {
  struct stat existing;
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

TextFileRead ReadTextFile(const std::filesystem::path& path) {
  TextFileRead result;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    result.outcome = TextFileRead::Outcome::OpenFailed;
    result.failure = FailureFromErrno(errno);
    return result;
  }
  const BytesRead read = ReadAll(fd.get());
  result.lines = SplitLines(read.bytes, read.error == 0);
  if (read.error != 0) {
    result.outcome = TextFileRead::Outcome::ReadFailed;
    result.failure = FailureFromErrno(read.error);
  }
  return result;
}

Result<FileReplacement> FileReplacement::Start(const std::filesystem::path& path) {
  std::string temporary = path.string() + ".korrin-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return FailureFromErrno(errno);
  return FileReplacement(path, std::move(temporary), fd);
}

FileReplacement::FileReplacement(std::filesystem::path path, std::string temporary, int fd)
    : path_(std::move(path)), temporary_(std::move(temporary)), fd_(fd) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : path_(std::move(other.path_)), temporary_(std::move(other.temporary_)), fd_(other.fd_) {
  other.fd_ = -1;
  other.temporary_.clear();
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

Status FileReplacement::Commit(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return CommitBytes(bytes);
}

Status FileReplacement::CommitBytes(std::string_view bytes) {
  if (fd_ < 0) return Failure{EBADF, "the replacement was already committed"};
  FileDescriptor fd(fd_);
  fd_ = -1;

  Status status = WriteAll(fd.get(), bytes);
  if (status && ::fchmod(fd.get(), PermissionsFor(path_)) != 0) status = FailureFromErrno(errno);
  if (status && ::fsync(fd.get()) != 0) status = FailureFromErrno(errno);
  if (const int error = fd.Close(); status && error != 0) status = FailureFromErrno(error);
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

Status WriteTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  Result<FileReplacement> replacement = FileReplacement::Start(path);
  if (!replacement) return replacement.failure();
  return replacement.value().Commit(lines);
}

Status CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
  FileDescriptor fd(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return FailureFromErrno(errno);
  const BytesRead read = ReadAll(fd.get());
  if (read.error != 0) return FailureFromErrno(read.error);
  Result<FileReplacement> replacement = FileReplacement::Start(target);
  if (!replacement) return replacement.failure();
  return replacement.value().CommitBytes(read.bytes);
}

}  // namespace korrin
