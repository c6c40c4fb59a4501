#include "filelist/ListFileBuffer.h"

#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace korrin {

#ifdef _WIN32

// Windows has no FIFOs in its folders; a test of the kind is enough there.
ListFileBuffer::ListFileBuffer(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) open(path, std::ios::in | std::ios::binary);
}

#else

// The kind is tested on the opened descriptor, so a file replaced after the
// test cannot slip through; O_NONBLOCK keeps that open from waiting.
ListFileBuffer::ListFileBuffer(const std::filesystem::path& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
  struct stat status {};
  if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
}

ListFileBuffer::~ListFileBuffer() {
  if (fd_ >= 0) ::close(fd_);
}

ListFileBuffer::int_type ListFileBuffer::underflow() {
  if (fd_ < 0) return traits_type::eof();
  for (;;) {
    const ssize_t count = ::read(fd_, buffer_, sizeof buffer_);
    if (count > 0) {
      setg(buffer_, buffer_, buffer_ + count);
      return traits_type::to_int_type(buffer_[0]);
    }
    if (count == 0 || errno != EINTR) return traits_type::eof();
  }
}

#endif

}  // namespace korrin
