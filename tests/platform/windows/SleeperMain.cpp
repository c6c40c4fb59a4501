#include <windows.h>
#include <shellapi.h>

#include <string>

// A child for the process tests. With "--report FILE" first it writes to
// FILE (UTF-8, whole or not at all) how it was asked to show its window
// ("show=N" when a show style was given, else "show=none"), then each further
// argument as CommandLineToArgvW split its command line, each ended by a NUL.
// Then it sleeps until it is ended, or two minutes at most, so a test that
// fails to end it leaves nothing behind for long.
namespace {

constexpr DWORD kLongestSleepMs = 120000;

std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string text(static_cast<std::size_t>(length - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  return text;
}

void Report(const std::wstring& file, int count, wchar_t** arguments) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  std::string report = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                           ? "show=" + std::to_string(startup.wShowWindow)
                           : std::string("show=none");
  report += '\n';
  for (int i = 3; i < count; ++i) report += Utf8(arguments[i]) + '\0';
  const std::wstring partial = file + L".partial";
  HANDLE out = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
  CloseHandle(out);
  MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments != nullptr && count >= 3 && std::wstring(arguments[1]) == L"--report") {
    Report(arguments[2], count, arguments);
  }
  if (arguments != nullptr) LocalFree(arguments);
  Sleep(kLongestSleepMs);
  return 0;
}
