#include "platform/windows/HostWindows.h"

#include <windows.h>

#include "host/ChannelFailures.h"
#include "platform/windows/SystemFailure.h"

namespace korrin {
namespace {

Result<HWND> WindowOf(host::WindowHandle window) {
  // A window handle is significant in its low 32 bits in every process.
  HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window.value & 0xFFFFFFFFu));
  if (window.value == 0 || window.value > 0xFFFFFFFFu || !::IsWindow(handle)) {
    return SystemFailure(ERROR_INVALID_WINDOW_HANDLE);
  }
  return handle;
}

}  // namespace

Result<host::WindowPlacement> ReadWindowPlacement(host::WindowHandle window) {
  Result<HWND> handle = WindowOf(window);
  if (!handle) return handle.failure();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(handle.value(), &placement)) return LastSystemFailure();
  const RECT& normal = placement.rcNormalPosition;
  return host::WindowPlacement{placement.flags, static_cast<std::int32_t>(placement.showCmd),
                               normal.left, normal.top, normal.right, normal.bottom};
}

Status WriteWindowPlacement(host::WindowHandle window, const host::WindowPlacement& placement,
                            std::chrono::milliseconds deadline) {
  Result<HWND> handle = WindowOf(window);
  if (!handle) return handle.failure();
  DWORD_PTR ignored = 0;
  if (::SendMessageTimeoutW(handle.value(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            static_cast<UINT>(deadline.count()), &ignored) == 0) {
    return host::CallTimedOut(deadline);
  }
  WINDOWPLACEMENT changed{};
  changed.length = sizeof changed;
  if (!::GetWindowPlacement(handle.value(), &changed)) return LastSystemFailure();
  changed.flags = placement.flags;
  changed.showCmd = static_cast<UINT>(placement.showCommand);
  changed.rcNormalPosition = RECT{placement.left, placement.top, placement.right, placement.bottom};
  ::SetLastError(ERROR_SUCCESS);
  if (!::SetWindowPlacement(handle.value(), &changed)) {
    // Wine refuses windows of other processes without an error number.
    const DWORD error = ::GetLastError();
    if (error != ERROR_SUCCESS) return SystemFailure(error);
    return Failure{host::kUnspecifiedFailure, "The system did not place the host's window"};
  }
  return {};
}

Status ShowHostWindow(host::WindowHandle window, int showCommand) {
  Result<HWND> handle = WindowOf(window);
  if (!handle) return handle.failure();
  // Its answer is whether the window was visible before, not a failure.
  (void)::ShowWindowAsync(handle.value(), showCommand);
  return {};
}

}  // namespace korrin
