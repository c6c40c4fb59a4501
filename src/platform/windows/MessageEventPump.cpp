#include "platform/windows/MessageEventPump.h"

#include <windows.h>
// winbase.h still defines the 16-bit Yield() as nothing.
#undef Yield

namespace korrin {

void MessageEventPump::Yield() {
  MSG message;
  for (int served = 0; served < kMostMessagesPerYield && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++served) {
    // WM_QUIT has no window to go to; it is left for whoever ends the loop.
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (next_ != nullptr) next_->Yield();
}

void MessageEventPump::Pause() {
  MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(kPause.count()), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  Yield();
}

}  // namespace korrin
