#include "StandinProcessTable.h"

#include <cerrno>
#include <cstring>

namespace korrin::standin {
namespace {

Failure NoSuchProcess() { return Failure{ESRCH, std::strerror(ESRCH)}; }

}  // namespace

std::vector<ProcessEntry> StandinProcessTable::Snapshot() const {
  std::vector<ProcessEntry> processes = system_.Snapshot();
  if (connector_.HostProcessRuns()) processes.push_back({kHostPid, "Inventor.exe"});
  return processes;
}

Status StandinProcessTable::Terminate(std::int64_t pid) {
  if (pid != kHostPid) return system_.Terminate(pid);
  if (!connector_.EndHostProcess()) return NoSuchProcess();
  return {};
}

Status StandinProcessTable::SetPriorityClass(std::int64_t pid, PriorityClass priority) {
  if (pid != kHostPid) return system_.SetPriorityClass(pid, priority);
  if (!connector_.HostProcessRuns()) return NoSuchProcess();
  return {};
}

Result<std::int64_t> StandinProcessTable::Start(const std::string& program, const std::vector<std::string>& arguments,
                                                StartStyle style) {
  return system_.Start(program, arguments, style);
}

}  // namespace korrin::standin
