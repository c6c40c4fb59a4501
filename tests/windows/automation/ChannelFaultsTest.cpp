// A host that goes, hangs or is busy: the channel's failures and deadlines.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "AutomationFixture.h"
#include "host/ChannelFailures.h"
#include "support/windows/TestModel.h"

namespace korrin::testing {
namespace {

namespace own = model_members;
using Clock = std::chrono::steady_clock;
using host::DispatchValue;
using host::InvokeKind;
using std::chrono::milliseconds;

using ChannelFaultsTest = AutomationTest;

// A window of the test's thread that notes when it serves a message.
class NotingWindow {
 public:
  NotingWindow() {
    WNDCLASSW type{};
    type.lpfnWndProc = &NotingWindow::Procedure;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.lpszClassName = L"KorrinNotingWindow";
    ::RegisterClassW(&type);
    window_ = ::CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance,
                                nullptr);
    served_ = false;
  }
  ~NotingWindow() { ::DestroyWindow(window_); }
  HWND handle() const { return window_; }
  static bool served() { return served_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_APP) {
      served_ = true;
      return 1;
    }
    return ::DefWindowProcW(window, message, first, second);
  }
  HWND window_;
  static inline bool served_ = false;
};

TEST_F(ChannelFaultsTest, AServerThatEndsInTheMiddleOfACallIsUnavailableFromThenOn) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  Result<DispatchValue> ended = Call(*channel, own::kEndProcess);
  ASSERT_FALSE(ended);
  EXPECT_EQ(ended.failure(), (Failure{host::kServerUnavailable, "The RPC server is unavailable."}));
  EXPECT_TRUE(channel->broken());
  Result<DispatchValue> later = Call(*channel, own::kEcho, {1});
  ASSERT_FALSE(later);
  EXPECT_EQ(later.failure(), host::ServerUnavailable());
}

TEST_F(ChannelFaultsTest, AServerKilledBetweenCallsIsUnavailableAndANewOneStarts) {
  auto first = StartHost();
  ASSERT_TRUE(first);
  const std::int32_t firstId = ServerProcessId(*first);
  ASSERT_EQ(static_cast<DWORD>(firstId), first->server()->id());
  ASSERT_TRUE(first->server()->End(5000));
  Result<DispatchValue> call = Call(*first, own::kEcho, {1});
  ASSERT_FALSE(call);
  EXPECT_EQ(call.failure(), host::ServerUnavailable());

  auto second = StartHost();
  ASSERT_TRUE(second);
  EXPECT_NE(ServerProcessId(*second), firstId);
  EXPECT_EQ(Call(*second, own::kEcho, {"again"}).value(), DispatchValue("again"));
}

TEST_F(ChannelFaultsTest, ACallTheServerNeverAnswersEndsAtItsDeadline) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  const DWORD serverId = channel->server()->id();
  const milliseconds deadline{1000};
  // Another thread sends the window a message while the call waits.
  NotingWindow window;
  ASSERT_NE(window.handle(), nullptr);
  std::thread sender([handle = window.handle()] {
    ::Sleep(200);
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(handle, WM_APP, 0, 0, SMTO_NORMAL, 3000, &answer);
  });
  const auto start = Clock::now();
  Result<DispatchValue> hung = Call(*channel, own::kHang, {std::int32_t{60000}}, InvokeKind::Method,
                                    host::kApplicationObject, deadline);
  const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  const bool servedWhileWaiting = NotingWindow::served();
  sender.join();
  EXPECT_TRUE(servedWhileWaiting) << "the window's message waited for the call";
  ASSERT_FALSE(hung);
  EXPECT_EQ(hung.failure(), (Failure{host::kCallTimedOut, "The host did not answer within 1 s"}));
  EXPECT_GE(took, deadline);
  EXPECT_LT(took, deadline + ComDispatchChannel::kEndServerGrace + milliseconds(1500));
  // The filter, asked while the call waited, cancelled it at the deadline;
  // the system honoured that, or the server was ended: say which.
  const CallWaitCounts& counts = channel->waitCounts();
  std::printf("hung call: %d filter asks, %d cancelled, %d servers ended, took %lld ms\n", counts.pendingAsks,
              counts.cancellations, channel->serversEnded(), static_cast<long long>(took.count()));
  EXPECT_GT(counts.pendingAsks, 5);
  EXPECT_EQ(counts.cancellations, 1);
  EXPECT_LE(channel->serversEnded(), 1);
  EXPECT_EQ(channel->serversEnded() == 1, !ProcessRunsWithId(serverId));
  // Where the system asks the filter, the front end's events run meanwhile.
  EXPECT_EQ(pump_.yields > 0, counts.pendingAsks > 0);
  // Broken for good: a late answer is never taken for a later call's.
  const auto again = Clock::now();
  Result<DispatchValue> later = Call(*channel, own::kEcho, {1});
  ASSERT_FALSE(later);
  EXPECT_EQ(later.failure(), hung.failure());
  EXPECT_LT(Clock::now() - again, milliseconds(100));
}

TEST_F(ChannelFaultsTest, ABusyServerIsAskedAgainUntilItTakesTheCall) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  ASSERT_TRUE(Call(*channel, own::kRejectCallsFor, {std::int32_t{700}}));
  const auto start = Clock::now();
  Result<DispatchValue> echoed =
      Call(*channel, own::kEcho, {"after"}, InvokeKind::Method, host::kApplicationObject, milliseconds(10000));
  const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  ASSERT_TRUE(echoed) << echoed.failure().description;
  EXPECT_EQ(echoed.value(), DispatchValue("after"));
  const CallWaitCounts& counts = channel->waitCounts();
  EXPECT_GT(counts.retries + counts.returnedRejections, 0);
  EXPECT_GE(took, milliseconds(500));
  std::printf("busy server: %d retries by the system, %d by the channel, over %lld ms\n", counts.retries,
              counts.returnedRejections, static_cast<long long>(took.count()));
}

TEST_F(ChannelFaultsTest, ABusyServerThatStaysBusyPastTheDeadlineTimesTheCallOut) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  ASSERT_TRUE(Call(*channel, own::kRejectCallsFor, {std::int32_t{5000}}));
  const auto start = Clock::now();
  Result<DispatchValue> echoed =
      Call(*channel, own::kEcho, {1}, InvokeKind::Method, host::kApplicationObject, milliseconds(600));
  ASSERT_FALSE(echoed);
  EXPECT_EQ(echoed.failure(), host::CallTimedOut(milliseconds(600)));
  EXPECT_LT(Clock::now() - start, milliseconds(600) + ComDispatchChannel::kEndServerGrace + milliseconds(2000));
}

}  // namespace
}  // namespace korrin::testing
