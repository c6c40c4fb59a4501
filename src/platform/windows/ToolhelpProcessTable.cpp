#include "platform/windows/ToolhelpProcessTable.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/windows/CommandLine.h"
#include "platform/windows/SystemFailure.h"
#include "platform/windows/WideText.h"

namespace korrin {
namespace {

// Closes a handle when it goes away.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

DWORD PriorityClassValue(PriorityClass priority) {
  switch (priority) {
    case PriorityClass::Realtime:
      return REALTIME_PRIORITY_CLASS;
    case PriorityClass::High:
      return HIGH_PRIORITY_CLASS;
    case PriorityClass::Normal:
      break;
  }
  return NORMAL_PRIORITY_CLASS;
}

// The process if it still runs. A process that ended may still open while
// someone holds a handle to it; it counts as gone, as it does once it is
// really gone (the system then refuses its pid as invalid).
Result<HANDLE> OpenRunning(std::int64_t pid, DWORD access) {
  HANDLE process = OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return LastSystemFailure();
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE) {
    CloseHandle(process);
    return SystemFailure(ERROR_INVALID_PARAMETER);
  }
  return process;
}

}  // namespace

std::vector<ProcessEntry> ToolhelpProcessTable::Snapshot() const {
  std::vector<ProcessEntry> entries;
  OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    // The name is cut at its first NUL, as the fixed buffer holds it.
    entries.push_back({static_cast<std::int64_t>(entry.th32ProcessID), TextFromWide(entry.szExeFile)});
  }
  return entries;
}

Status ToolhelpProcessTable::Terminate(std::int64_t pid) {
  const Result<HANDLE> running = OpenRunning(pid, PROCESS_TERMINATE | SYNCHRONIZE);
  if (!running) return running.failure();
  OwnedHandle process(running.value());
  if (!TerminateProcess(process.get(), 0)) return LastSystemFailure();
  const DWORD waited = WaitForSingleObject(process.get(), static_cast<DWORD>(kEndTimeout.count()));
  if (waited == WAIT_FAILED) return LastSystemFailure();
  if (waited == WAIT_TIMEOUT) return SystemFailure(WAIT_TIMEOUT);
  return {};
}

Status ToolhelpProcessTable::SetPriorityClass(std::int64_t pid, PriorityClass priority) {
  const Result<HANDLE> running = OpenRunning(pid, PROCESS_SET_INFORMATION);
  if (!running) return running.failure();
  OwnedHandle process(running.value());
  if (!::SetPriorityClass(process.get(), PriorityClassValue(priority))) return LastSystemFailure();
  return {};
}

Result<std::int64_t> ToolhelpProcessTable::Start(const std::string& program, const std::vector<std::string>& arguments,
                                                 StartStyle style) {
  const std::wstring wideProgram = WideFromText(program);
  std::vector<std::wstring> line{wideProgram};
  for (const std::string& argument : arguments) line.push_back(WideFromText(argument));
  std::wstring commandLine = QuotedCommandLine(line);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (style == StartStyle::MinimizedNotActivated) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
  }
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(wideProgram.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                      &startup, &started)) {
    return LastSystemFailure();
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<std::int64_t>(started.dwProcessId);
}

}  // namespace korrin
