#include "geometry/SiblingFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#include "geometry/GeometryFailure.h"
#include "platform/linux/SystemFailure.h"

namespace korrin::standin {
namespace {

Failure TargetFailure(const std::filesystem::path& target, const Failure& failure) {
  return {failure.number, "cannot write " + target.string() + ": " + failure.description};
}

// Read and write for everyone the umask allows, as any new file the host writes.
constexpr mode_t kNewFileMode = 0666;
constexpr int kNameAttempts = 100;

// Creates an empty temporary file beside the target and returns its path. The
// name is unique within the process; O_EXCL keeps other processes' apart.
Result<std::filesystem::path> CreateSibling(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  int error = EEXIST;
  for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
    const std::string name =
        target.string() + ".korrin-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (descriptor >= 0) {
      ::close(descriptor);
      return std::filesystem::path(name);
    }
    error = errno;
  }
  return SystemFailure(error);
}

Status CheckWritten(const std::filesystem::path& temporary) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(temporary, error);
  if (error) return Failure{error.value(), error.message()};
  if (size == 0) return Failure{kModelFileEmpty, "the writer wrote nothing"};
  return {};
}

Status Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return SystemFailure(errno);
  return {};
}

}  // namespace

Status WriteThroughSibling(const std::filesystem::path& target,
                           const std::function<Status(const std::filesystem::path& temporary)>& write) {
  const Result<std::filesystem::path> temporary = CreateSibling(target);
  if (!temporary) return TargetFailure(target, temporary.failure());
  Status status = write(temporary.value());
  if (status) status = CheckWritten(temporary.value());
  if (status) status = Rename(temporary.value(), target);
  if (status) return {};
  std::error_code ignored;
  std::filesystem::remove(temporary.value(), ignored);
  return TargetFailure(target, status.failure());
}

}  // namespace korrin::standin
