#include "geometry/ModelFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "geometry/GeometryFailure.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/SystemFailure.h"

namespace korrin::standin {
namespace {

// Enough for a STEP or IGES header and an STL file's first facet.
constexpr std::size_t kSampleSize = 4096;

Result<std::string> ReadAt(int descriptor, off_t offset, std::size_t count) {
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    const ssize_t read = ::pread(descriptor, bytes.data() + done, count - done, offset + static_cast<off_t>(done));
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return SystemFailure(errno);
    if (read == 0) break;
    done += static_cast<std::size_t>(read);
  }
  bytes.resize(done);
  return bytes;
}

Failure SystemFileFailure(const std::filesystem::path& path, int error, std::string_view step) {
  return ModelFileFailure(path, error, std::string(step) + ": " + SystemFailure(error).description);
}

}  // namespace

Failure ModelFileFailure(const std::filesystem::path& path, long number, std::string_view problem) {
  return {number, path.string() + ": " + std::string(problem)};
}

Result<ModelFileSample> SampleModelFile(const std::filesystem::path& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return SystemFileFailure(path, errno, "cannot open it");
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return SystemFileFailure(path, errno, "cannot inspect it");
  if (!S_ISREG(status.st_mode)) return ModelFileFailure(path, EISDIR, "not a file");
  if (status.st_size == 0) return ModelFileFailure(path, kModelFileEmpty, "the file is empty");
  ModelFileSample sample;
  sample.size = static_cast<std::uintmax_t>(status.st_size);
  const std::size_t count = std::min<std::size_t>(kSampleSize, sample.size);
  Result<std::string> head = ReadAt(file.get(), 0, count);
  Result<std::string> tail = ReadAt(file.get(), status.st_size - static_cast<off_t>(count), count);
  if (!head) return ModelFileFailure(path, head.failure().number, head.failure().description);
  if (!tail) return ModelFileFailure(path, tail.failure().number, tail.failure().description);
  sample.head = std::move(head).value();
  sample.tail = std::move(tail).value();
  return sample;
}

}  // namespace korrin::standin
