#include "platform/windows/automation/ServerProcess.h"

#include <tlhelp32.h>
#include <wctype.h>

#include <utility>

namespace korrin {
namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& character : text) character = static_cast<wchar_t>(::towlower(character));
  return text;
}

// The program of a LocalServer32 command line: quoted, or up to the first
// space that follows ".exe".
std::wstring ProgramOf(const std::wstring& command) {
  if (!command.empty() && command.front() == L'"') {
    const std::size_t end = command.find(L'"', 1);
    return command.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1);
  }
  const std::wstring lower = Lower(command);
  const std::size_t exe = lower.find(L".exe");
  return exe == std::wstring::npos ? command.substr(0, command.find(L' ')) : command.substr(0, exe + 4);
}

}  // namespace

std::wstring LocalServerImage(const CLSID& classId) {
  wchar_t classText[64];
  if (::StringFromGUID2(classId, classText, 64) == 0) return {};
  const std::wstring key = std::wstring(L"CLSID\\") + classText + L"\\LocalServer32";
  wchar_t command[1024];
  DWORD size = sizeof command;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, command, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  const std::wstring program = ProgramOf(command);
  const std::size_t slash = program.find_last_of(L"\\/");
  return Lower(slash == std::wstring::npos ? program : program.substr(slash + 1));
}

std::set<DWORD> ProcessesNamed(const std::wstring& image) {
  std::set<DWORD> found;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  const std::wstring wanted = Lower(image);
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
    if (Lower(entry.szExeFile) == wanted) found.insert(entry.th32ProcessID);
  }
  ::CloseHandle(snapshot);
  return found;
}

std::optional<ServerProcess> ServerProcess::Open(DWORD id) {
  HANDLE handle = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (handle == nullptr) return std::nullopt;
  return ServerProcess(handle, id);
}

ServerProcess::ServerProcess(ServerProcess&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(other.id_) {}

ServerProcess::~ServerProcess() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
}

bool ServerProcess::Runs() const { return ::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool ServerProcess::End(DWORD waitMilliseconds) const {
  ::TerminateProcess(handle_, 1);
  return ::WaitForSingleObject(handle_, waitMilliseconds) == WAIT_OBJECT_0;
}

}  // namespace korrin
