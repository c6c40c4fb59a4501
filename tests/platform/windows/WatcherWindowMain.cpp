#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// A stand-in of the watcher's window for the window link tests:
//   korrin_windows_watcher FOLDER TITLE MODE
// makes a top-level window TITLE holding a label, then three boxes of class
// "ThunderRT6TextBox", the first holding "busy" (the others empty, or in
// MODE "filled" all holding a text). It writes FOLDER\ready once the
// windows exist, and FOLDER\received, each box's text on a line of its own,
// after every text a box is given. In MODE "hang" it stops serving messages
// once ready. It ends after a minute at most.
namespace {

constexpr UINT_PTR kEndTimer = 1;
constexpr UINT kLongestRunMs = 60000;
constexpr int kBoxes = 3;

std::wstring folder;
std::vector<HWND> boxes;

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

void WriteWhole(const std::wstring& name, const std::string& bytes) {
  const std::wstring path = folder + L"\\" + name;
  const std::wstring partial = path + L".partial";
  HANDLE out = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(out);
  MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CALLBACK BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_SETTEXT && boxes.size() == kBoxes) {
    std::string received;
    for (HWND box : boxes) received += Utf8(TextOf(box)) + "\n";
    WriteWhole(L"received", received);
  }
  return result;
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER || message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Make(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, WNDPROC procedure) {
  if (procedure != nullptr) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
  }
  return CreateWindowExW(0, className, text, style, 0, 0, 200, 20, parent, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 4) return 2;
  folder = arguments[1];
  const std::wstring title = arguments[2];
  const std::wstring mode = arguments[3];
  LocalFree(arguments);

  HWND main = Make(L"KorrinTestWatcher", title.c_str(), WS_OVERLAPPEDWINDOW, nullptr, MainProcedure);
  Make(L"STATIC", L"", WS_CHILD, main, nullptr);
  for (int i = 0; i < kBoxes; ++i) {
    const wchar_t* text = i == 0 || mode == L"filled" ? L"busy" : L"";
    boxes.push_back(Make(L"ThunderRT6TextBox", text, WS_CHILD, main, BoxProcedure));
  }
  SetTimer(main, kEndTimer, kLongestRunMs, nullptr);
  WriteWhole(L"ready", "ready\n");
  if (mode == L"hang") {
    Sleep(kLongestRunMs);
    return 0;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
