#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include <string>

#include "ports/Result.h"

namespace korrin {

// UTF-8, the core's text, and the UTF-16 of the system's calls.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, std::size_t length);
std::string Utf8FromBstr(BSTR text);
// A new BSTR the caller frees (SysFreeString); null only when out of memory.
BSTR NewBstr(const std::string& text);

// The failure of a call that returned `result`: the host's own number and
// description when it filled the exception record (whose strings are freed
// here), the channel's failures for a server that is gone and a member that
// is not there, otherwise the system's text for the number.
Failure FailureOf(HRESULT result, EXCEPINFO* exception = nullptr);
// True for the results of a call whose server process is gone.
bool IsServerGone(HRESULT result);

}  // namespace korrin
