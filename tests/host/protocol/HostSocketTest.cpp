#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/ChannelFailures.h"
#include "host/HostFrames.h"
#include "host/HostMessageCodec.h"
#include "platform/linux/HostSocketServer.h"
#include "platform/linux/ListeningSocketFile.h"
#include "platform/linux/LocalSocket.h"
#include "platform/linux/SocketDispatchChannel.h"
#include "support/RecordingEventPump.h"
#include "support/TemporaryFolder.h"
#include "support/WaitUntil.h"

namespace korrin {
namespace {

using namespace std::chrono_literals;
using host::DispatchArray;
using host::DispatchValue;
using host::InvokeKind;
using host::InvokeRequest;
using host::ObjectReference;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kGenerous = 10s;
constexpr mode_t kPermissionBits = 07777;

const Failure kUnavailable{host::kServerUnavailable, "The RPC server is unavailable."};
const Failure kBusy{host::kServerBusy, "The host serves another client."};

// What the echoing host answers: the request as it arrived.
DispatchValue Echo(const InvokeRequest& request) {
  return DispatchArray{request.object, std::int32_t{request.member}, std::int32_t{static_cast<int>(request.kind)},
                       DispatchArray(request.arguments)};
}

std::chrono::milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

// A host socket server serving on a thread of its own until the end of the
// test.
class ServingThread {
 public:
  ServingThread(const std::string& path, HostSocketServer::Handler handler) {
    Result<std::unique_ptr<HostSocketServer>> listened = HostSocketServer::Listen(path, std::move(handler));
    if (!listened) {
      failure = listened.failure();
      return;
    }
    server = std::move(listened).value();
    thread_ = std::thread([this] { served = server->Serve(); });
  }
  ServingThread(const ServingThread&) = delete;
  ServingThread& operator=(const ServingThread&) = delete;
  ~ServingThread() { Join(); }

  bool listening() const { return server != nullptr; }
  void Join() {
    if (!thread_.joinable()) return;
    server->Stop();
    thread_.join();
  }

  std::unique_ptr<HostSocketServer> server;
  std::optional<Failure> failure;
  Status served;

 private:
  std::thread thread_;
};

// A host of the test's own making, for answers no real server gives: takes
// one connection and runs the script on it.
class ScriptedHost {
 public:
  ScriptedHost(const std::string& path, std::function<void(int)> script) {
    Result<ListeningSocketFile> listened = ListeningSocketFile::Open(path, "in use");
    EXPECT_TRUE(listened.ok());
    if (!listened) return;
    listener_.emplace(std::move(listened).value());
    thread_ = std::thread([this, script = std::move(script)] {
      pollfd waiting{listener_->descriptor(), POLLIN, 0};
      if (::poll(&waiting, 1, static_cast<int>(kGenerous.count())) != 1) return;
      const FileDescriptor client(::accept4(listener_->descriptor(), nullptr, nullptr, SOCK_CLOEXEC));
      SetSocketTimeouts(client.get(), kGenerous);
      script(client.get());
    });
  }
  ~ScriptedHost() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::optional<ListeningSocketFile> listener_;
  std::thread thread_;
};

// One frame from the socket; nothing when the stream ends first.
std::optional<std::string> ReadFrame(int socket) {
  std::string header;
  if (!ReceiveExactly(socket, host::kFrameHeaderSize, header)) return std::nullopt;
  std::size_t length = 0;
  for (const char byte : header) length = (length << 8) | static_cast<unsigned char>(byte);
  std::string body;
  if (!ReceiveExactly(socket, length, body)) return std::nullopt;
  return body;
}

std::string AnswerFrame(std::uint64_t call, const Result<DispatchValue>& result) {
  return host::Framed(host::EncodeAnswer({call, result}).value()).value();
}

bool StreamEnds(int socket) {
  char byte = 0;
  return ::recv(socket, &byte, 1, 0) == 0;
}

class HostSocketTest : public ::testing::Test {
 protected:
  std::shared_ptr<SocketDispatchChannel> Connect() {
    Result<std::shared_ptr<SocketDispatchChannel>> channel = SocketDispatchChannel::Connect(path, kGenerous, pump);
    EXPECT_TRUE(channel.ok()) << (channel ? "" : channel.failure().description);
    return channel ? channel.value() : nullptr;
  }

  static Result<DispatchValue> Call(SocketDispatchChannel& channel, std::int32_t member,
                                    std::vector<DispatchValue> arguments = {},
                                    std::chrono::milliseconds deadline = kGenerous) {
    return channel.Invoke(ObjectReference{1}, member, InvokeKind::Method, arguments, deadline);
  }

  // The server serves the next client properly, also when the one before
  // has only just left.
  void ExpectServed() {
    const std::shared_ptr<SocketDispatchChannel> next = Connect();
    ASSERT_NE(next, nullptr);
    const Result<DispatchValue> answer = Call(*next, 77, {"next"});
    ASSERT_TRUE(answer.ok()) << answer.failure().description;
    EXPECT_TRUE(answer.value() == Echo({1, ObjectReference{1}, 77, InvokeKind::Method, {"next"}}));
  }

  testing::TemporaryFolder folder;
  std::string hosts = (folder / "hosts").string();
  std::string path = hosts + "/4242";
  testing::RecordingEventPump pump;
};

TEST_F(HostSocketTest, CallsAndTheirValuesGoBothWaysWholeAndTheHostsFailuresComeBackAsTheyWere) {
  ServingThread host(path, [](const InvokeRequest& request) -> Result<DispatchValue> {
    if (request.member == -1) return host::MemberNotFound();
    if (request.member == -2) return Failure{2, "/parts/a.ipt: No such file or directory"};
    return Echo(request);
  });
  ASSERT_TRUE(host.listening());
  const std::shared_ptr<SocketDispatchChannel> channel = Connect();
  ASSERT_NE(channel, nullptr);

  const std::vector<InvokeRequest> requests = {
      {1, ObjectReference{1}, 0x3000103, InvokeKind::PropertyGet, {}},
      {2, ObjectReference{9}, 0x7000308, InvokeKind::PropertyPut, {std::int16_t{3}, 29.7, true}},
      {3, ObjectReference{12}, 0x3000302, InvokeKind::Method,
       {"/parts/a.ipt", DispatchArray{ObjectReference{4}, DispatchValue(), std::int32_t{-5}}}},
      // Larger than any socket buffer: sent and read in many pieces.
      {4, ObjectReference{3}, 0x3004C02, InvokeKind::Method, {std::string(1024 * 1024, 'z')}},
  };
  for (const InvokeRequest& request : requests) {
    const Result<DispatchValue> answer =
        channel->Invoke(request.object, request.member, request.kind, request.arguments, kGenerous);
    ASSERT_TRUE(answer.ok()) << request.call << ": " << answer.failure().description;
    EXPECT_TRUE(answer.value() == Echo(request)) << "call " << request.call;
  }
  const Result<DispatchValue> missing = Call(*channel, -1);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.failure(), host::MemberNotFound());
  const Result<DispatchValue> unreadable = Call(*channel, -2);
  ASSERT_FALSE(unreadable.ok());
  EXPECT_EQ(unreadable.failure(), (Failure{2, "/parts/a.ipt: No such file or directory"}));
  EXPECT_FALSE(channel->broken());
  EXPECT_TRUE(Call(*channel, 5).ok());
}

TEST_F(HostSocketTest, ACallPastItsDeadlineFailsAndEveryLaterCallFailsAtOnce) {
  std::atomic<int> served{0};
  ServingThread host(path, [&served](const InvokeRequest& request) -> Result<DispatchValue> {
    if (request.member == 1) std::this_thread::sleep_for(1500ms);
    ++served;
    return Echo(request);
  });
  ASSERT_TRUE(host.listening());
  const std::shared_ptr<SocketDispatchChannel> channel = Connect();
  ASSERT_NE(channel, nullptr);

  const Clock::time_point start = Clock::now();
  const Result<DispatchValue> slow = Call(*channel, 1, {}, 100ms);
  const std::chrono::milliseconds waited = Since(start);
  ASSERT_FALSE(slow.ok());
  EXPECT_EQ(slow.failure(), (Failure{host::kCallTimedOut, "The host did not answer within 0.1 s"}));
  EXPECT_GE(waited, 100ms);
  EXPECT_LT(waited, 1000ms);
  // Slices of a few milliseconds, the pump's events run between them; the
  // slices are the wait, so nothing sleeps on top of them (a pause would).
  EXPECT_GE(pump.yields, 5);
  EXPECT_EQ(pump.pauses, 0);
  EXPECT_TRUE(channel->broken());

  const Clock::time_point later = Clock::now();
  const Result<DispatchValue> next = Call(*channel, 2);
  EXPECT_LT(Since(later), 50ms);
  ASSERT_FALSE(next.ok());
  EXPECT_EQ(next.failure(), slow.failure());
  // The slow answer, sent into a connection the client has closed, costs the
  // server nothing: it goes on with the next client.
  ExpectServed();
  EXPECT_EQ(served, 2);
}

// A window event served while a call waits may not call the host itself:
// its request would take the waiting call's answer.
TEST_F(HostSocketTest, ACallFromInsideTheWaitOfAnotherIsRefusedAndTheWaitingCallGoesOn) {
  ServingThread host(path, [](const InvokeRequest& request) -> Result<DispatchValue> {
    std::this_thread::sleep_for(100ms);
    return Echo(request);
  });
  ASSERT_TRUE(host.listening());
  const std::shared_ptr<SocketDispatchChannel> channel = Connect();
  ASSERT_NE(channel, nullptr);
  std::optional<Result<DispatchValue>> nested;
  pump.onYield = [&](int) {
    if (!nested) nested = Call(*channel, 2);
  };
  const Result<DispatchValue> outer = Call(*channel, 1, {"outer"});
  ASSERT_TRUE(outer.ok()) << outer.failure().description;
  EXPECT_TRUE(outer.value() == Echo({1, ObjectReference{1}, 1, InvokeKind::Method, {"outer"}}));
  ASSERT_TRUE(nested.has_value());
  ASSERT_FALSE(nested->ok());
  EXPECT_EQ(nested->failure(),
            (Failure{host::kUnspecifiedFailure, "A host call was made while another waited for its answer."}));
  EXPECT_FALSE(channel->broken());
  pump.onYield = nullptr;
  EXPECT_TRUE(Call(*channel, 3).ok());
}

TEST_F(HostSocketTest, AHostThatStopsAnswersTheCallInProgressAndIsThenUnavailable) {
  std::unique_ptr<HostSocketServer>* server = nullptr;
  ServingThread host(path, [&server](const InvokeRequest& request) -> Result<DispatchValue> {
    if (request.member == 9) (*server)->Stop();  // the host's quit
    return DispatchValue(std::int32_t{request.member});
  });
  ASSERT_TRUE(host.listening());
  server = &host.server;
  const std::shared_ptr<SocketDispatchChannel> channel = Connect();
  ASSERT_NE(channel, nullptr);
  const Result<DispatchValue> quit = Call(*channel, 9);
  ASSERT_TRUE(quit.ok());
  EXPECT_TRUE(quit.value() == DispatchValue(std::int32_t{9}));
  for (const int attempt : {1, 2}) {
    const Result<DispatchValue> after = Call(*channel, 3);
    ASSERT_FALSE(after.ok());
    EXPECT_EQ(after.failure(), kUnavailable) << attempt;
  }
  EXPECT_TRUE(channel->broken());
  host.Join();
  EXPECT_TRUE(host.served.ok());
}

TEST_F(HostSocketTest, AHostGoneInTheMiddleOfACallIsUnavailable) {
  const std::vector<std::pair<std::string, std::function<void(int)>>> scripts = {
      {"closes without an answer", [](int socket) { (void)ReadFrame(socket); }},
      {"closes half way through the answer",
       [](int socket) {
         (void)ReadFrame(socket);
         const std::string answer = AnswerFrame(1, DispatchValue("half"));
         (void)SendAll(socket, answer.substr(0, answer.size() / 2));
       }},
      {"closes before the request is read", [](int) {}},
  };
  for (const auto& [name, script] : scripts) {
    const ScriptedHost scripted(path, script);
    const std::shared_ptr<SocketDispatchChannel> channel = Connect();
    ASSERT_NE(channel, nullptr) << name;
    const Result<DispatchValue> answer = Call(*channel, 1);
    ASSERT_FALSE(answer.ok()) << name;
    EXPECT_EQ(answer.failure(), kUnavailable) << name;
    EXPECT_TRUE(channel->broken()) << name;
  }
}

TEST_F(HostSocketTest, AnAnswerThatIsDamagedOrAnswersAnotherCallBreaksTheChannel) {
  struct Case {
    std::string name;
    std::string answer;
    Failure failure;
  };
  const std::vector<Case> cases = {
      {"another call's answer", AnswerFrame(99, DispatchValue(true)),
       host::BadFrame("the answer to call 99 came while call 1 waited")},
      {"a value to no call", AnswerFrame(0, DispatchValue(true)), host::BadFrame("a value that answers no call")},
      {"the host's word on the connection", AnswerFrame(0, host::BadFrame("the arguments are nil, not an array")),
       host::BadFrame("the arguments are nil, not an array")},
      {"not MessagePack", host::Framed("\xc1").value(), host::BadFrame("byte 0 starts no MessagePack value")},
      {"an oversized length", std::string("\x7f\x00\x00\x00", 4),
       host::BadFrame("a frame announces 2130706432 bytes, over the limit of 16 MiB")},
  };
  for (const Case& test : cases) {
    const ScriptedHost scripted(path, [&test](int socket) {
      (void)ReadFrame(socket);
      (void)SendAll(socket, test.answer);
      // Stays until the client has gone, so its failure is the answer's.
      (void)StreamEnds(socket);
    });
    const std::shared_ptr<SocketDispatchChannel> channel = Connect();
    ASSERT_NE(channel, nullptr) << test.name;
    const Result<DispatchValue> answer = Call(*channel, 1);
    ASSERT_FALSE(answer.ok()) << test.name;
    EXPECT_EQ(answer.failure(), test.failure) << test.name;
    EXPECT_TRUE(channel->broken()) << test.name;
    const Result<DispatchValue> again = Call(*channel, 2);
    ASSERT_FALSE(again.ok()) << test.name;
    EXPECT_EQ(again.failure(), test.failure) << test.name;
  }
}

TEST_F(HostSocketTest, ASecondClientIsToldTheHostIsBusyAndNeverMixedIn) {
  std::atomic<int> served{0};
  ServingThread host(path, [&served](const InvokeRequest& request) -> Result<DispatchValue> {
    ++served;
    return Echo(request);
  });
  ASSERT_TRUE(host.listening());
  std::shared_ptr<SocketDispatchChannel> first = Connect();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(Call(*first, 1).ok());

  const std::shared_ptr<SocketDispatchChannel> second = Connect();
  ASSERT_NE(second, nullptr);
  const Result<DispatchValue> refused = Call(*second, 2);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.failure(), kBusy);
  EXPECT_TRUE(second->broken());
  EXPECT_EQ(Call(*second, 3).failure(), kBusy);

  const Result<DispatchValue> stillFirst = Call(*first, 4, {"mine"});
  ASSERT_TRUE(stillFirst.ok());
  EXPECT_TRUE(stillFirst.value() == Echo({2, ObjectReference{1}, 4, InvokeKind::Method, {"mine"}}));
  EXPECT_EQ(served, 2);
  first.reset();  // the first client goes; the host takes the next
  ExpectServed();
}

TEST_F(HostSocketTest, ClientsThatSendNonsenseOrLeaveHalfWayEndOnlyTheirOwnConnection) {
  std::atomic<bool> lastRequestServed{false};
  ServingThread host(path, [&lastRequestServed](const InvokeRequest& request) -> Result<DispatchValue> {
    if (request.member == 5) lastRequestServed = true;
    return Echo(request);
  });
  ASSERT_TRUE(host.listening());
  const std::string badKind = host::Framed(std::string("\x95\x01\x01\x01\x03\x90", 6)).value();
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {host::Framed("\xc1\xc1").value(), "byte 0 starts no MessagePack value"},
      {std::string("\xff\xff\xff\xff", 4), "a frame announces 4294967295 bytes, over the limit of 16 MiB"},
      {badKind, "the invoke kind is unknown: 3"},
  };
  for (const auto& [bytes, description] : refusals) {
    Result<FileDescriptor> client = ConnectLocal(path, kGenerous);
    ASSERT_TRUE(client.ok());
    ASSERT_TRUE(SendAll(client.value().get(), bytes));
    const std::optional<std::string> frame = ReadFrame(client.value().get());
    ASSERT_TRUE(frame.has_value()) << description;
    const Result<host::InvokeAnswer> answer = host::DecodeAnswer(*frame);
    ASSERT_TRUE(answer.ok()) << description;
    EXPECT_EQ(answer.value().call, host::kConnectionCall);
    ASSERT_FALSE(answer.value().result.ok());
    EXPECT_EQ(answer.value().result.failure(), host::BadFrame(description));
    EXPECT_TRUE(StreamEnds(client.value().get())) << description;
  }
  {  // gone in the middle of a frame: the host closes its end too
    Result<FileDescriptor> client = ConnectLocal(path, kGenerous);
    ASSERT_TRUE(client.ok());
    ASSERT_TRUE(SendAll(client.value().get(), std::string("\x00\x00\x00\x64", 4) + "ten bytes."));
    ASSERT_EQ(::shutdown(client.value().get(), SHUT_WR), 0);
    EXPECT_TRUE(StreamEnds(client.value().get()));
  }
  {  // gone with a whole request sent, before its answer (sent into nothing)
    Result<FileDescriptor> client = ConnectLocal(path, kGenerous);
    ASSERT_TRUE(client.ok());
    const InvokeRequest request{1, ObjectReference{1}, 5, InvokeKind::Method, {std::string(1 << 20, 'q')}};
    ASSERT_TRUE(SendAll(client.value().get(), host::Framed(host::EncodeRequest(request).value()).value()));
  }
  // Until the host has read that request it cannot know the client left,
  // and would tell the next one it is busy.
  ASSERT_TRUE(testing::WaitUntil([&] { return lastRequestServed.load(); }));
  ExpectServed();
}

TEST_F(HostSocketTest, ConnectingWhereNothingListensSaysSo) {
  const Result<std::shared_ptr<SocketDispatchChannel>> missing = SocketDispatchChannel::Connect(path, 1s, pump);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.failure(), (Failure{ENOENT, path + ": No such file or directory"}));
  EXPECT_TRUE(NothingListens(missing.failure()));

  {  // a socket file left by a host that ended
    ASSERT_TRUE(std::filesystem::create_directory(hosts));
    std::filesystem::permissions(hosts, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    Result<FileDescriptor> socket = NewLocalSocket();
    ASSERT_TRUE(socket.ok());
    const sockaddr_un address = LocalAddress(path).value();
    ASSERT_EQ(::bind(socket.value().get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  }
  const Result<std::shared_ptr<SocketDispatchChannel>> stale = SocketDispatchChannel::Connect(path, 1s, pump);
  ASSERT_FALSE(stale.ok());
  EXPECT_EQ(stale.failure(), (Failure{ECONNREFUSED, path + ": Connection refused"}));
  EXPECT_TRUE(NothingListens(stale.failure()));

  for (const Failure& other : {host::CallTimedOut(1s), kUnavailable, kBusy,
                               Failure{ETIMEDOUT, path + ": no connection within 1 s"}}) {
    EXPECT_FALSE(NothingListens(other)) << other.description;
  }
  // The stale file is replaced by a host that starts at its path.
  ServingThread host(path, [](const InvokeRequest& request) -> Result<DispatchValue> { return Echo(request); });
  ASSERT_TRUE(host.listening()) << host.failure->description;
  ExpectServed();
}

TEST_F(HostSocketTest, TheSocketIsTheUsersAloneAndGoesWithItsServer) {
  {
    ServingThread host(path, [](const InvokeRequest& request) -> Result<DispatchValue> { return Echo(request); });
    ASSERT_TRUE(host.listening());
    EXPECT_EQ(ModeOf(hosts), static_cast<mode_t>(S_IFDIR | 0700));
    EXPECT_EQ(ModeOf(path), static_cast<mode_t>(S_IFSOCK | 0600));
    EXPECT_EQ(host.server->socketPath(), path);

    const Result<std::unique_ptr<HostSocketServer>> twice =
        HostSocketServer::Listen(path, [](const InvokeRequest&) -> Result<DispatchValue> { return DispatchValue(); });
    ASSERT_FALSE(twice.ok());
    EXPECT_EQ(twice.failure(), (Failure{EADDRINUSE, "a host already listens at " + path}));
    ExpectServed();  // the refused second server took nothing away
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path))) << folder.Listing();
  EXPECT_EQ(folder.Listing(), "hosts");
  EXPECT_TRUE(std::filesystem::is_empty(hosts));

  ASSERT_EQ(::chmod(hosts.c_str(), 0750), 0);
  const Result<std::unique_ptr<HostSocketServer>> shared =
      HostSocketServer::Listen(path, [](const InvokeRequest&) -> Result<DispatchValue> { return DispatchValue(); });
  ASSERT_FALSE(shared.ok());
  EXPECT_EQ(shared.failure(), (Failure{EACCES, hosts + " is not a folder for this user alone"}));
  EXPECT_EQ(ModeOf(hosts) & kPermissionBits, 0750u);
}

}  // namespace
}  // namespace korrin
