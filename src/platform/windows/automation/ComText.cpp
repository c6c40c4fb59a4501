#include "platform/windows/automation/ComText.h"

#include <cstdio>

#include "host/ChannelFailures.h"

namespace korrin {

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8FromWide(const wchar_t* text, std::size_t length) {
  if (text == nullptr || length == 0) return {};
  const int size = static_cast<int>(length);
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, size, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

std::string Utf8FromBstr(BSTR text) { return Utf8FromWide(text, text == nullptr ? 0 : ::SysStringLen(text)); }

BSTR NewBstr(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

bool IsServerGone(HRESULT result) {
  return result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || result == RPC_E_DISCONNECTED ||
         result == RPC_E_SERVER_DIED || result == RPC_E_SERVER_DIED_DNE || result == CO_E_OBJNOTCONNECTED ||
         result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE);
}

namespace {

std::string SystemText(HRESULT result) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = Utf8FromWide(buffer, length);
  if (buffer != nullptr) ::LocalFree(buffer);
  // The system's texts end in a line break.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (text.empty()) {
    char number[32];
    std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(result));
    text = std::string("Automation call failed with ") + number;
  }
  return text;
}

Failure FromException(HRESULT result, EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  const long number = exception.scode != 0 ? static_cast<long>(exception.scode)
                      : exception.wCode != 0 ? static_cast<long>(exception.wCode)
                                             : static_cast<long>(result);
  std::string description = Utf8FromBstr(exception.bstrDescription);
  ::SysFreeString(exception.bstrDescription);
  ::SysFreeString(exception.bstrSource);
  ::SysFreeString(exception.bstrHelpFile);
  exception.bstrDescription = exception.bstrSource = exception.bstrHelpFile = nullptr;
  if (description.empty()) description = SystemText(number);
  return {number, std::move(description)};
}

}  // namespace

Failure FailureOf(HRESULT result, EXCEPINFO* exception) {
  if (result == DISP_E_EXCEPTION && exception != nullptr) return FromException(result, *exception);
  if (IsServerGone(result)) return host::ServerUnavailable();
  if (result == DISP_E_MEMBERNOTFOUND || result == DISP_E_UNKNOWNNAME) return host::MemberNotFound();
  if (result == DISP_E_BADPARAMCOUNT) return host::BadParameterCount();
  if (result == DISP_E_BADINDEX) return host::BadIndex();
  if (result == MK_E_UNAVAILABLE) return host::OperationUnavailable();
  return {static_cast<long>(result), SystemText(result)};
}

}  // namespace korrin
