#include "platform/windows/MessageWindowLink.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/windows/WideText.h"

namespace korrin {
namespace {

using Clock = std::chrono::steady_clock;

// Class names are at most 256 characters.
constexpr int kClassNameBuffer = 257;

BOOL CALLBACK CollectChild(HWND child, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
  return TRUE;
}

bool HasClass(HWND window, const std::wstring& className) {
  wchar_t name[kClassNameBuffer] = {};
  const int length = GetClassNameW(window, name, kClassNameBuffer);
  // The system compares class names ignoring case.
  return length > 0 && CompareStringOrdinal(name, length, className.c_str(), static_cast<int>(className.size()),
                                            TRUE) == CSTR_EQUAL;
}

// Sends a message within what is left of the deadline; nothing when the
// window did not answer in time or is gone.
std::optional<LRESULT> SendBefore(Clock::time_point deadline, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return std::nullopt;
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                          static_cast<UINT>(left.count()), &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

TextDelivery MessageWindowLink::SetTextOfEmptyBox(const std::string& windowTitle, const std::string& boxClass,
                                                  const std::string& text) {
  const Clock::time_point deadline = Clock::now() + timeout_;
  HWND window = FindWindowW(nullptr, WideFromText(windowTitle).c_str());
  if (window == nullptr) return TextDelivery::NoWindow;

  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  const std::wstring wideClass = WideFromText(boxClass);
  for (HWND child : children) {
    if (!HasClass(child, wideClass)) continue;
    const std::optional<LRESULT> length = SendBefore(deadline, child, WM_GETTEXTLENGTH, 0, 0);
    if (!length) return TextDelivery::NoWindow;
    if (*length != 0) continue;
    const std::wstring wideText = WideFromText(text);
    const std::optional<LRESULT> set =
        SendBefore(deadline, child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideText.c_str()));
    if (!set) return TextDelivery::NoWindow;
    return *set == TRUE ? TextDelivery::Delivered : TextDelivery::NoEmptyBox;
  }
  return TextDelivery::NoEmptyBox;
}

}  // namespace korrin
