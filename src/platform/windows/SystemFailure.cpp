#include "platform/windows/SystemFailure.h"

#include <string>

#include "platform/windows/WideText.h"

namespace korrin {

Failure SystemFailure(DWORD errorNumber) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      errorNumber, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = L"System error " + std::to_wstring(errorNumber) + L".";
  return {static_cast<long>(errorNumber), TextFromWide(text)};
}

Failure LastSystemFailure() { return SystemFailure(GetLastError()); }

}  // namespace korrin
