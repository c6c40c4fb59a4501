#include <gtest/gtest.h>
#include <windows.h>
// winbase.h still defines the 16-bit Yield() as nothing.
#undef Yield

#include <cstdlib>
#include <string>

#include "platform/ProgramFolders.h"
#include "platform/SystemPaths.h"
#include "platform/windows/ConsoleInterrupts.h"
#include "platform/windows/MessageEventPump.h"
#include "platform/windows/SpoolerPrinters.h"
#include "platform/windows/WideText.h"
#include "settings/PathConversion.h"
#include "support/RecordingEventPump.h"

namespace korrin {
namespace {

using namespace std::string_literals;

struct Ending {
  DWORD status = 999;
  std::string errors;
};

// How the interrupt program ends when interrupted that often: its exit
// status and what it wrote to its error stream.
Ending EndingAfterInterrupts(int times) {
  const std::wstring program =
      (system_paths::ExecutablePath().parent_path() / "korrin_windows_interrupted.exe").wstring();
  std::wstring line = L"interrupted " + std::to_wstring(times);
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE reading = nullptr;
  HANDLE writing = nullptr;
  Ending ending;
  if (!CreatePipe(&reading, &writing, &inherited, 0)) return ending;
  SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = writing;
  PROCESS_INFORMATION started{};
  const BOOL ran =
      CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started);
  CloseHandle(writing);
  if (ran) {
    CloseHandle(started.hThread);
    if (WaitForSingleObject(started.hProcess, 20000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(started.hProcess, &ending.status);
    } else {
      TerminateProcess(started.hProcess, 998);
    }
    CloseHandle(started.hProcess);
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(reading, buffer, sizeof buffer, &got, nullptr) && got > 0) ending.errors.append(buffer, got);
  }
  CloseHandle(reading);
  return ending;
}

TEST(ConsoleInterrupts, CtrlCAndCtrlBreakAreCountedAndASecondEndsTheProgram) {
  // The other console events stay the system's.
  for (DWORD event : {DWORD{CTRL_CLOSE_EVENT}, DWORD{CTRL_LOGOFF_EVENT}, DWORD{CTRL_SHUTDOWN_EVENT}}) {
    EXPECT_FALSE(console_interrupts::Handle(event)) << event;
  }
  EXPECT_EQ(console_interrupts::Count(), 0);
  const std::pair<int, DWORD> table[] = {{0, 0}, {1, 0}, {2, 130}};
  for (const auto& [times, status] : table) {
    const Ending ending = EndingAfterInterrupts(times);
    EXPECT_EQ(ending.status, status) << times << " interrupts";
    EXPECT_EQ(ending.errors, times < 2 ? "" : "\nkorrin-batch: interrupted twice, ending at once\n") << times;
  }
}

// A message-only window that counts what it is sent and can ask for more.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KorrinCountingWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, this);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CountingWindow() { DestroyWindow(window_); }

  HWND window() const { return window_; }
  int received = 0;
  bool repost = false;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_APP && self != nullptr) {
      ++self->received;
      if (self->repost) PostMessageW(window, WM_APP, 0, 0);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

TEST(MessageEventPump, YieldServesWhatIsWaitingThenTheNextPump) {
  CountingWindow counting;
  ASSERT_NE(counting.window(), nullptr);
  testing::RecordingEventPump next;
  MessageEventPump pump(&next);
  for (int i = 0; i < 3; ++i) PostMessageW(counting.window(), WM_APP, 0, 0);
  pump.Yield();
  EXPECT_EQ(counting.received, 3);
  EXPECT_EQ(next.yields, 1);
  // Nothing waiting: it returns at once.
  pump.Yield();
  EXPECT_EQ(counting.received, 3);
  EXPECT_EQ(next.yields, 2);
  // A message posted meanwhile is served by a pause.
  PostMessageW(counting.window(), WM_APP, 0, 0);
  pump.Pause();
  EXPECT_EQ(counting.received, 4);
  EXPECT_EQ(next.yields, 3);
}

TEST(MessageEventPump, AStreamOfMessagesCannotKeepAYieldFromReturning) {
  CountingWindow counting;
  counting.repost = true;
  MessageEventPump pump;
  PostMessageW(counting.window(), WM_APP, 0, 0);
  pump.Yield();
  EXPECT_EQ(counting.received, MessageEventPump::kMostMessagesPerYield);
  counting.repost = false;
  pump.Yield();
  EXPECT_EQ(counting.received, MessageEventPump::kMostMessagesPerYield + 1);
}

TEST(MessageEventPump, AQuitRequestIsLeftForTheLoopThatEnds) {
  CountingWindow counting;
  MessageEventPump pump;
  PostQuitMessage(7);
  PostMessageW(counting.window(), WM_APP, 0, 0);
  pump.Yield();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  pump.Yield();
  EXPECT_EQ(counting.received, 1);
}

TEST(SpoolerPrinters, WithoutPrintersEveryAnswerIsEmpty) {
  SpoolerPrinters printers;
  // Wine's spooler shows the queues of a print server it finds; a test
  // prefix normally has none.
  if (!printers.InstalledPrinters().empty()) GTEST_SKIP() << "this prefix has printers";
  EXPECT_EQ(printers.DefaultPrinter(), "");
  EXPECT_EQ(printers.SupportedMedia("Korrin no such printer"), std::vector<std::string>{});
}

TEST(SpoolerPrinters, PaperNamesAreCutAtTheirNulOrTheirRecord) {
  std::wstring records(3 * kPaperNameLength, L'\0');
  records.replace(0, 2, L"A4");
  records.replace(kPaperNameLength, 12, L"Letter \u00E9tat");
  records.replace(2 * kPaperNameLength, kPaperNameLength, std::wstring(kPaperNameLength, L'x'));
  EXPECT_EQ(PaperNamesFromRecords(records.data(), 3),
            (std::vector<std::string>{"A4", "Letter état", std::string(kPaperNameLength, 'x')}));
  EXPECT_EQ(PaperNamesFromRecords(records.data(), 0), std::vector<std::string>{});
}

TEST(TempFolder, ComesFromTheEnvironmentInWideText) {
  const std::wstring before = _wgetenv(L"TEMP") != nullptr ? _wgetenv(L"TEMP") : L"";
  _wputenv_s(L"TEMP", L"C:\\Temp \u00E9t\u00E9");
  EXPECT_EQ(TempFolder(), "C:\\Temp été");
  _wputenv_s(L"TEMP", before.c_str());
}

}  // namespace
}  // namespace korrin
