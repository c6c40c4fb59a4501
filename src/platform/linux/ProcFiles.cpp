#include "platform/linux/ProcFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>

#include "platform/linux/FileDescriptor.h"

namespace korrin {
namespace {

constexpr std::size_t kReadChunk = 4096;
// The state is the third field, the start time the 22nd.
constexpr int kFieldsBetweenStateAndStartTime = 18;

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return std::nullopt;
  std::string content;
  char buffer[kReadChunk];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count < 0) return std::nullopt;
    if (count == 0) return content;
    content.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace

std::optional<std::string> ReadProcFile(pid_t pid, std::string_view file) {
  return ReadWholeFile("/proc/" + std::to_string(pid) + "/" + std::string(file));
}

// "pid (command name) state ...": the name may itself hold blanks and
// parentheses, so it ends at the last ')'; single blanks part the fields
// after it.
std::optional<ProcessStatus> ReadProcessStatus(pid_t pid) {
  const std::optional<std::string> stat = ReadProcFile(pid, "stat");
  if (!stat) return std::nullopt;
  const std::size_t open = stat->find('(');
  const std::size_t close = stat->rfind(')');
  const std::size_t state = close + 2;
  if (open == std::string::npos || close == std::string::npos || close < open || state >= stat->size()) {
    return std::nullopt;
  }
  std::size_t startTime = state;
  for (int field = 0; field <= kFieldsBetweenStateAndStartTime && startTime != std::string::npos; ++field) {
    startTime = stat->find(' ', startTime + 1);
  }
  if (startTime == std::string::npos) return std::nullopt;
  ProcessStatus status{stat->substr(open + 1, close - open - 1), (*stat)[state]};
  const char* first = stat->data() + startTime + 1;
  const char* last = stat->data() + stat->size();
  if (std::from_chars(first, last, status.startTime).ec != std::errc()) return std::nullopt;
  return status;
}

bool IsEndedState(char state) { return state == 'Z' || state == 'X'; }

std::optional<pid_t> ProcessIdNamed(std::string_view name) {
  if (name.starts_with('0')) return std::nullopt;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || end != name.data() + name.size() || pid <= 0) return std::nullopt;
  return pid;
}

}  // namespace korrin
