#include "support/windows/TestPrograms.h"

#include <optional>

#include "platform/windows/CommandLine.h"
#include "platform/windows/automation/ServerProcess.h"

namespace korrin::testing {

int RunAndWait(const std::vector<std::wstring>& arguments, HANDLE output, DWORD milliseconds) {
  std::wstring command = QuotedCommandLine(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(arguments[0].c_str(), command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                        nullptr, &startup, &process)) {
    return -1;
  }
  DWORD status = static_cast<DWORD>(-2);
  if (::WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.hProcess, &status);
  } else {
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, 5000);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

void EndProcessesNamed(const std::wstring& image) {
  for (const DWORD id : ProcessesNamed(image)) {
    if (std::optional<ServerProcess> process = ServerProcess::Open(id)) process->End(5000);
  }
}

}  // namespace korrin::testing
