// The text-file module on Windows: wide-character opens in binary mode, the
// file flushed to disk, and the replacement renamed over the old file by
// MoveFileExW, which replaces it in one step and returns only once the
// rename is on disk.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string_view>
#include <system_error>

#include "settings/TextFile.h"
#include "settings/TextFileFaults.h"
#include "settings/TextFilePlatform.h"

namespace korrin {
namespace {

using text_file_faults::Call;
using text_file_faults::FaultFor;

// A temporary name taken by a file left behind is tried again with another.
constexpr int kTemporaryNameAttempts = 100;
constexpr int kTemporaryNameLength = 6;
// The C runtime reads and writes at most this much per call.
constexpr std::size_t kChunk = 1 << 20;

Failure FailureFromErrno(int number) { return {number, std::strerror(number)}; }

Failure FailureFromLastError() {
  const DWORD error = ::GetLastError();
  std::string text = std::system_category().message(static_cast<int>(error));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return {static_cast<long>(error), text};
}

// Closes a C runtime descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::_close(fd_);
  }
  int get() const { return fd_; }
  int Close() {
    const int result = ::_close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// errno of the read that failed, 0 when the file was read whole.
int ReadAll(int fd, std::string& bytes) {
  std::string buffer(kChunk, '\0');
  for (;;) {
    const int count = ::_read(fd, buffer.data(), static_cast<unsigned>(buffer.size()));
    if (count > 0) {
      bytes.append(buffer.data(), static_cast<std::size_t>(count));
    } else if (count == 0) {
      return 0;
    } else {
      return errno;
    }
  }
}

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    if (const int fault = FaultFor(Call::Write); fault != 0) return FailureFromErrno(fault);
    const std::size_t size = bytes.size() < kChunk ? bytes.size() : kChunk;
    const int count = ::_write(fd, bytes.data(), static_cast<unsigned>(size));
    if (count < 0) return FailureFromErrno(errno);
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return {};
}

std::wstring RandomSuffix(std::mt19937& generator) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
  std::wstring suffix;
  for (int i = 0; i < kTemporaryNameLength; ++i) suffix += kLetters[pick(generator)];
  return suffix;
}

}  // namespace

namespace text_file_platform {

WholeFile ReadWholeFile(const std::filesystem::path& path) {
  WholeFile result;
  int raw = -1;
  if (const errno_t error = ::_wsopen_s(&raw, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0);
      error != 0) {
    result.outcome = WholeFile::Outcome::OpenFailed;
    result.failure = FailureFromErrno(error);
    return result;
  }
  FileDescriptor fd(raw);
  if (const int error = ReadAll(fd.get(), result.bytes); error != 0) {
    result.outcome = WholeFile::Outcome::ReadFailed;
    result.failure = FailureFromErrno(error);
  }
  return result;
}

}  // namespace text_file_platform

Result<FileReplacement> FileReplacement::Start(const std::filesystem::path& path) {
  std::mt19937 generator{std::random_device{}()};
  errno_t error = EEXIST;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && error == EEXIST; ++attempt) {
    std::filesystem::path temporary = path.native() + L".korrin-" + RandomSuffix(generator);
    int fd = -1;
    error = ::_wsopen_s(&fd, temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                        _SH_DENYRW, _S_IREAD | _S_IWRITE);
    if (error == 0) return FileReplacement(path, std::move(temporary), fd);
  }
  return FailureFromErrno(error);
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) ::_close(fd_);
  if (!temporary_.empty()) ::DeleteFileW(temporary_.c_str());
}

Status FileReplacement::CommitBytes(std::string_view bytes) {
  if (fd_ < 0) return Failure{EBADF, "the replacement was already committed"};
  FileDescriptor fd(fd_);
  fd_ = -1;

  Status status = WriteAll(fd.get(), bytes);
  if (const int fault = status ? FaultFor(Call::Sync) : 0; fault != 0) status = FailureFromErrno(fault);
  if (status && ::_commit(fd.get()) != 0) status = FailureFromErrno(errno);
  if (const int error = fd.Close(); status && error != 0) status = FailureFromErrno(error);
  if (const int fault = status ? FaultFor(Call::Rename) : 0; fault != 0) status = FailureFromErrno(fault);
  if (status && !::MoveFileExW(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    status = FailureFromLastError();
  }
  if (!status) return status;  // the destructor removes the temporary file
  temporary_.clear();
  return {};
}

}  // namespace korrin
