#include "host/ProcessOperations.h"

#include <limits>
#include <optional>

#include "settings/PathText.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

bool ImageNameMatches(std::string_view imageName, std::string_view name) {
  // Every name ends with the empty one: matching it would let a slip end
  // every process the user may end. It matches none.
  if (name.empty()) return false;
  // Image names from the system may come with the rest of a fixed-size
  // buffer after a NUL.
  return EndsWithIgnoringCase(imageName.substr(0, imageName.find('\0')), name);
}

std::optional<PriorityClass> PriorityClassNamed(std::string_view priorityName) {
  const std::string upper = ToUpperAscii(priorityName);
  if (upper == "REALTIME") return PriorityClass::Realtime;
  if (upper == "HIGH") return PriorityClass::High;
  if (upper == "NORMAL") return PriorityClass::Normal;
  return std::nullopt;
}

}  // namespace

std::int16_t CountProcesses(const ProcessTable& table, std::string_view name) {
  std::int16_t count = 0;
  for (const ProcessEntry& process : table.Snapshot()) {
    if (ImageNameMatches(process.imageName, name) && count < std::numeric_limits<std::int16_t>::max()) ++count;
  }
  return count;
}

bool KillProcesses(ProcessTable& table, std::string_view name) {
  bool matched = false;
  for (const ProcessEntry& process : table.Snapshot()) {
    if (!ImageNameMatches(process.imageName, name)) continue;
    matched = true;
    (void)table.Terminate(process.pid);  // one that cannot be ended is skipped
  }
  return matched;
}

void KillHostProcesses(ProcessTable& table) {
  for (const std::string_view name : kHostProcessNames) KillProcesses(table, name);
}

bool SetProcessPriority(ProcessTable& table, std::string_view name, std::string_view priorityName) {
  const std::optional<PriorityClass> priority = PriorityClassNamed(priorityName);
  bool matched = false;
  for (const ProcessEntry& process : table.Snapshot()) {
    if (!ImageNameMatches(process.imageName, name)) continue;
    matched = true;
    // A refused change counts as a process that could not be opened: skipped.
    if (priority) (void)table.SetPriorityClass(process.pid, *priority);
  }
  return matched;
}

bool StartWatcher(ProcessTable& table, std::string_view programFolder) {
  if (CountProcesses(table, kWatcherProgram) > 0) return true;
  const std::string program = WithTrailingBackslash(programFolder) + std::string(kWatcherProgram);
  return table.Start(program, {}, StartStyle::MinimizedNotActivated).ok();
}

void NotifyWatcher(WindowLink& link, const std::string& text) {
  // Missing the watcher is no fault: it only shows what the program does.
  (void)link.SetTextOfEmptyBox(std::string(kWatcherWindowTitle), std::string(kWatcherBoxClass), text);
}

}  // namespace korrin
