#include "WatcherLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/linux/FileDescriptor.h"
#include "platform/linux/SystemFailure.h"

namespace korrin::standin {
namespace {

constexpr mode_t kUserReadWrite = 0600;
constexpr std::size_t kTimeStampSize = sizeof "YYYY-MM-DD HH:MM:SS";

}  // namespace

std::string WatcherLogLine(std::string_view text, std::time_t when) {
  std::tm local{};
  ::localtime_r(&when, &local);
  std::array<char, kTimeStampSize> stamp{};
  std::strftime(stamp.data(), stamp.size(), "%Y-%m-%d %H:%M:%S", &local);
  return std::string(stamp.data()) + '\t' + std::string(text) + '\n';
}

Status WatcherLog::Append(std::string_view text, std::time_t when) const {
  const FileDescriptor file(::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kUserReadWrite));
  if (!file.valid()) return SystemFailure(errno);
  const std::string line = WatcherLogLine(text, when);
  const ssize_t written = ::write(file.get(), line.data(), line.size());
  if (written < 0) return SystemFailure(errno);
  if (static_cast<std::size_t>(written) != line.size()) return Failure{ENOSPC, "short write to " + path_};
  return {};
}

}  // namespace korrin::standin
