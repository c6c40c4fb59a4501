#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include <optional>
#include <set>
#include <string>

namespace korrin {

// The image name ("inventor.exe", lower case) of the local server the
// registry names for a class, or empty when it names none.
std::wstring LocalServerImage(const CLSID& classId);
// The ids of the processes whose image has that name, compared ignoring case.
std::set<DWORD> ProcessesNamed(const std::wstring& image);

// A host's server process, held open so its id cannot pass to another
// process while we hold it.
class ServerProcess {
 public:
  static std::optional<ServerProcess> Open(DWORD id);
  ServerProcess(ServerProcess&& other) noexcept;
  ServerProcess& operator=(ServerProcess&&) = delete;
  ~ServerProcess();

  DWORD id() const { return id_; }
  bool Runs() const;
  // Ends the process and waits up to the given time for it to be gone.
  bool End(DWORD waitMilliseconds) const;

 private:
  ServerProcess(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}

  HANDLE handle_;
  DWORD id_;
};

}  // namespace korrin
