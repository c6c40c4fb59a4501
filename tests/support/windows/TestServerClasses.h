#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

namespace korrin::testing {

// The classes the test automation server registers, by the hosts' names.
struct TestServerClass {
  const wchar_t* progId;
  const wchar_t* option;  // the server's /class option that serves it
  CLSID classId;
};

// {3E7F6A10-8B52-4C0D-A1E4-5C2B9D807A11}
inline constexpr TestServerClass kTestInventorClass{
    L"Inventor.Application", L"inventor", {0x3e7f6a10, 0x8b52, 0x4c0d, {0xa1, 0xe4, 0x5c, 0x2b, 0x9d, 0x80, 0x7a, 0x11}}};
// {3E7F6A10-8B52-4C0D-A1E4-5C2B9D807A12}
inline constexpr TestServerClass kTestAcadClass{
    L"AutoCAD.Application", L"acad", {0x3e7f6a10, 0x8b52, 0x4c0d, {0xa1, 0xe4, 0x5c, 0x2b, 0x9d, 0x80, 0x7a, 0x12}}};

// The document reader, served in the caller's process by the library.
// {3E7F6A10-8B52-4C0D-A1E4-5C2B9D807A13}
inline constexpr TestServerClass kTestReaderClass{L"Inventor.ApprenticeServerComponent", L"reader",
                                                  {0x3e7f6a10, 0x8b52, 0x4c0d, {0xa1, 0xe4, 0x5c, 0x2b, 0x9d, 0x80, 0x7a, 0x13}}};

// The model host and its document reader under the same names, for whole
// runs of the program: registered instead of the test model's classes.
// {3E7F6A10-8B52-4C0D-A1E4-5C2B9D807A14}
inline constexpr TestServerClass kModelInventorClass{
    L"Inventor.Application", L"inventor-model", {0x3e7f6a10, 0x8b52, 0x4c0d, {0xa1, 0xe4, 0x5c, 0x2b, 0x9d, 0x80, 0x7a, 0x14}}};
// {3E7F6A10-8B52-4C0D-A1E4-5C2B9D807A15}
inline constexpr TestServerClass kModelReaderClass{L"Inventor.ApprenticeServerComponent", L"model-reader",
                                                   {0x3e7f6a10, 0x8b52, 0x4c0d, {0xa1, 0xe4, 0x5c, 0x2b, 0x9d, 0x80, 0x7a, 0x15}}};

// The release the model host and its reader report, as the test prefix's
// registry names it.
inline constexpr int kModelReleaseMajor = 11;

inline constexpr const wchar_t* kTestReaderLibrary = L"korrin-test-document-reader.dll";
inline constexpr const wchar_t* kTestServerImage = L"korrin-test-automation-server.exe";

}  // namespace korrin::testing
